#include "ui/main/frm_main.h"

#include "command/app_state.h"

namespace cw::ui {

void FrmMain::cmdbtnAddGroup_Click() {}

void FrmMain::cmdbtnAddCurExtent_Click() {}

}  // namespace cw::ui

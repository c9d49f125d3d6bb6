#include "ui/main/frm_main.h"

#include "command/app_state.h"

namespace cw::ui {

void FrmMain::btnRemoveExtent_Click() {}

void FrmMain::btnRemoveGroup_Click() {}

}  // namespace cw::ui

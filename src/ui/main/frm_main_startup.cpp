#include "ui/main/frm_main.h"

#include "command/app_state.h"

namespace cw::ui {

void FrmMain::Form_Load() {}

void FrmMain::btnClose_Click() {}

}  // namespace cw::ui

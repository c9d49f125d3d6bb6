#include "ui/main/frm_main.h"

#include "command/app_state.h"

namespace cw::ui {

void FrmMain::btnHelp_Click() {}

void FrmMain::btnHelp2_Click() {}

void FrmMain::Image2_Click() {}

}  // namespace cw::ui

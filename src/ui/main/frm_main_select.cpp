#include "ui/main/frm_main.h"

#include "command/app_state.h"

namespace cw::ui {

void FrmMain::lstbxGroup_Click() {}

}  // namespace cw::ui

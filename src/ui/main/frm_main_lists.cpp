#include "ui/main/frm_main.h"

#include "command/app_state.h"

namespace cw::ui {

void FrmMain::btnNewList_Click() {}

void FrmMain::btnReset_Click() {}

void FrmMain::btnLoadList_Click() {}

void FrmMain::btnSaveList_Click() {}

}  // namespace cw::ui

#include "ui/main/frm_main.h"

#include "command/app_state.h"

namespace cw::ui {

host::HostFrame* FrmMain::Frame() { return frame_; }

void FrmMain::Form_Load() {}

void FrmMain::btnClose_Click() {}

}  // namespace cw::ui

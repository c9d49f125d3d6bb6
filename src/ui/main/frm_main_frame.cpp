#include "command/app_state.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

host::HostFrame* FrmMain::Frame() { return frame_; }

}  // namespace cw::ui

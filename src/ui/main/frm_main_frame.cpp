#include "errors/error_trap.h"
#include "host/host.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

host::HostFrame* FrmMain::Frame() {
  host::HostFrame* result = nullptr;
  errors::ErrorTrap trap(parts_.report, "Frame", "frmMain");
  trap.run([&] {
    // The frame is stored before binding: binding loads the window, and its start-up reads
    // the frame again.
    trap.at(1);  // a frame is made only once
    if (!frame_) {
      trap.at(2);  // ask the host for a new frame
      frame_ = &parts_.frames.createFrame();
      trap.at(3);  // bind this window into it
      frame_->bind(*this);
      trap.at(4);  // caption it with the product name
      frame_->setCaption(parts_.identity.ProductName);
    }
    trap.at(5);  // hand back the frame
    result = frame_;
  });
  return result;
}

}  // namespace cw::ui

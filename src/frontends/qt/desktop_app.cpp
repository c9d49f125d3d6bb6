#include "frontends/qt/desktop_app.h"

#include "command/corbelwick_bookmarks.h"
#include "command/module.h"
#include "frontends/qt/frame_window.h"
#include "frontends/qt/main_window.h"
#include "frontends/qt/window_view.h"
#include "ui/controls/window.h"
#include "ui/main/frm_main.h"

namespace cw::qt {

DesktopApp::DesktopApp(platform::FileSystem& fs, std::unique_ptr<standin::Document> document)
    : host_(std::move(document)), toolkit_(com_identity::kTypeLibraryName) {
  module_ = std::make_unique<Module>(fs, toolkit_, toolkit_, host_);
  command_ = std::make_unique<CorbelwickBookmarks>(*module_);
  host_.frames().frameCreated.push_back([this](standin::Frame& frame) {
    frames_.emplace_back(new FrameWindow(frame, toolkit_.scale(), window_.get()));
  });
  window_ = std::make_unique<MainWindow>(*module_, host_, *command_);
  toolkit_.setDialogParent(window_.get());
}

DesktopApp::~DesktopApp() {
  // The widgets show the windows and the document, so they go before the module (members go
  // in reverse order); frames made from now on get no tool window.
  window_.reset();
  host_.frames().frameCreated.clear();
}

FrameWindow* DesktopApp::frameOf(const ui::Window& window) const {
  for (const auto& frame : frames_) {
    if (frame && frame->view() && &frame->view()->window() == &window) return frame;
  }
  return nullptr;
}

}  // namespace cw::qt

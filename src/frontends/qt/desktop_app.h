#pragma once

#include <QPointer>
#include <memory>
#include <vector>

#include "frontends/qt/qt_toolkit.h"
#include "hosts/standin/standin.h"

namespace cw {
class Module;
class CorbelwickBookmarks;
}  // namespace cw
namespace cw::platform {
class FileSystem;
}
namespace cw::ui {
class Window;
}

namespace cw::qt {

class FrameWindow;
class MainWindow;

// The desktop application: the map host with its document, the toolkit, the system's state and
// the command on the main window's toolbar; every host frame the system asks for is shown as a
// tool window above the main window.
class DesktopApp {
 public:
  DesktopApp(platform::FileSystem& fs, std::unique_ptr<standin::Document> document);
  ~DesktopApp();
  DesktopApp(const DesktopApp&) = delete;
  DesktopApp& operator=(const DesktopApp&) = delete;

  MainWindow& mainWindow() { return *window_; }
  Module& module() { return *module_; }
  standin::Application& host() { return host_; }
  QtToolkit& toolkit() { return toolkit_; }
  // The tool window of the host frame that shows a system window; nullptr when none does.
  FrameWindow* frameOf(const ui::Window& window) const;

 private:
  standin::Application host_;
  QtToolkit toolkit_;
  std::unique_ptr<Module> module_;
  std::unique_ptr<CorbelwickBookmarks> command_;
  std::unique_ptr<MainWindow> window_;
  std::vector<QPointer<FrameWindow>> frames_;
};

}  // namespace cw::qt

#pragma once

#include <string>
#include <string_view>

#include "platform/window_host.h"

namespace cw::com {

// What the system needs of the desktop inside the host process: message boxes with
// MessageBoxW, the mouse pointer, the screen's size. Modal windows and the input box come with
// the module's own windows; until then they fail with a failure the caller's error trap reports.
class Win32Desktop : public platform::WindowHost {
 public:
  explicit Win32Desktop(std::string title) : title_(std::move(title)) {}

  platform::MessageResult messageBox(std::string_view text,
                                     platform::MessageButtons buttons) override;
  std::string inputBox(std::string_view prompt) override;
  void setMousePointer(platform::MousePointer pointer) override;
  platform::ScreenMetrics screen() override;
  void showModal(ui::Window& window) override;

 private:
  std::string title_;
};

// Links opened with the shell's "open".
class Win32Shell : public platform::Shell {
 public:
  void openLink(std::string_view target) override;
};

}  // namespace cw::com

#pragma once

#include <string>
#include <string_view>

#include "platform/window_host.h"

namespace cw::win32 {

// The system's windows on the Windows desktop: message boxes with MessageBoxW (OK or Yes/No, no
// icon, the application's title), the input box, the wait pointer, the screen's size and pixels
// per inch, and modal windows rendered from their description over the active window.
class Win32WindowHost : public platform::WindowHost {
 public:
  explicit Win32WindowHost(std::string title) : title_(std::move(title)) {}
  ~Win32WindowHost() override;

  platform::MessageResult messageBox(std::string_view text,
                                     platform::MessageButtons buttons) override;
  std::string inputBox(std::string_view prompt) override;
  void setMousePointer(platform::MousePointer pointer) override;
  platform::ScreenMetrics screen() override;
  void showModal(ui::Window& window) override;

  const std::string& title() const { return title_; }

 private:
  std::string title_;
};

// Links opened with the shell's "open".
class Win32Shell : public platform::Shell {
 public:
  void openLink(std::string_view target) override;
};

}  // namespace cw::win32

#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/window_host.h"

namespace cw::win32 {

// The window that owns the system's windows (the host's main window), asked for when needed;
// nullptr or an empty function for none.
using WindowOwner = std::function<HWND()>;

// The system's windows on the Windows desktop: message boxes with MessageBoxW (OK or Yes/No, no
// icon, the application's title), the input box, the wait pointer, the screen's size and pixels
// per inch, and modal windows rendered from their description over the active window. Each
// pointer change is told to the owner first (owner_notices.h).
class Win32WindowHost : public platform::WindowHost {
 public:
  explicit Win32WindowHost(std::string title, WindowOwner owner = {})
      : title_(std::move(title)), owner_(std::move(owner)) {}
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
  WindowOwner owner_;
};

// Links opened with the shell's "open", unless the owner, told of the link first
// (owner_notices.h), answers that it has taken care of it.
class Win32Shell : public platform::Shell {
 public:
  // What opens a link the owner left alone.
  using Launcher = std::function<void(const std::wstring& target)>;
  static void launchWithShell(const std::wstring& target);

  explicit Win32Shell(WindowOwner owner = {}, Launcher launch = &launchWithShell)
      : owner_(std::move(owner)), launch_(std::move(launch)) {}

  void openLink(std::string_view target) override;

 private:
  WindowOwner owner_;
  Launcher launch_;
};

}  // namespace cw::win32

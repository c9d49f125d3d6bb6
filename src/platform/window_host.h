#pragma once

#include <string>
#include <string_view>

namespace cw::ui {
class Window;
}

namespace cw::platform {

enum class MessageButtons { kOk, kYesNo };
enum class MessageResult { kOk, kYes, kNo };
enum class MousePointer { kDefault = 0, kHourglass = 11 };

struct ScreenMetrics {
  int widthTwips = 1024 * 15;
  int heightTwips = 768 * 15;
  int twipsPerPixelX = 15;
  int twipsPerPixelY = 15;
};

// What the system's windows need of the toolkit that shows them. Message boxes carry no icon
// and the application's default title; the input box has the default title and an empty entry.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual MessageResult messageBox(std::string_view text, MessageButtons buttons) = 0;
  // The entered text; Cancel yields "".
  virtual std::string inputBox(std::string_view prompt) = 0;
  virtual void setMousePointer(MousePointer pointer) = 0;
  virtual ScreenMetrics screen() = 0;
  // Shows the window modally; returns when the window is hidden.
  virtual void showModal(ui::Window& window) = 0;
};

// The shell's "Open" of a link (web page or mailto:); the result is not examined.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void openLink(std::string_view target) = 0;
};

}  // namespace cw::platform

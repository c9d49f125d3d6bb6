#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace cw::standin {
class Document;
}

// What the host does when the module tells its main window of a pointer change or a link
// (src/frontends/win32/owner_notices.h). Without a link handler the module opens links itself.
struct ModuleNotices {
  std::function<void(bool waiting)> pointer;
  std::function<void(const std::wstring& link)> link;
};

// The host's main window: a toolbar with the command's button, and below it what the map shows
// (each data frame with its extent, the focus marked). It is the owner of the module's windows
// and hears the module's notices.
class HostWindow {
 public:
  HostWindow(const std::wstring& buttonCaption, std::function<void()> onClick,
             cw::standin::Document& document, ModuleNotices notices = {});
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND window() const { return window_; }
  HWND button() const { return button_; }
  // Runs the message loop until the window is closed.
  int run();

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void paint();
  // The answer to one of the module's notices; false when the message is none.
  bool answerNotice(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);
  std::function<void()> onClick_;
  ModuleNotices notices_;
  cw::standin::Document& document_;
  HWND window_ = nullptr;
  HWND button_ = nullptr;
};

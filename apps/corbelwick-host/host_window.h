#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace cw::standin {
class Document;
}

// The host's main window: a toolbar with the command's button, and below it what the map shows
// (each data frame with its extent, the focus marked).
class HostWindow {
 public:
  HostWindow(const std::wstring& buttonCaption, std::function<void()> onClick,
             cw::standin::Document& document);
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
  std::function<void()> onClick_;
  cw::standin::Document& document_;
  HWND window_ = nullptr;
  HWND button_ = nullptr;
};

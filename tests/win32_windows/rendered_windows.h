#pragma once

// The system's windows rendered on the test's desktop (a virtual display under wine).

#include <windows.h>

#include <memory>
#include <string>

#include "frontends/win32/control_names.h"
#include "frontends/win32/form_view.h"
#include "frontends/win32/pixel_scale.h"
#include "frontends/win32/window_driver.h"
#include "support/test_app.h"

namespace cw::win32::testing {

// Runs the messages the thread has waiting (a list's batch of entries among them).
inline void pumpMessages() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// A control's rectangle in pixels within the window's client.
inline PixelRect placeIn(HWND form, HWND control) {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

inline std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  std::wstring upper(name);
  for (wchar_t& c : upper) c = static_cast<wchar_t>(::towupper(c));
  return upper;
}

inline LONG styleOf(HWND window) {
  return ::GetWindowLongW(window, GWL_STYLE);
}

// A top-level window of the test to own frames and dialogs.
class OwnerWindow {
 public:
  OwnerWindow() {
    window_ = ::CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                600, 400, nullptr, nullptr, nullptr, nullptr);
  }
  ~OwnerWindow() { ::DestroyWindow(window_); }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

inline std::string printed(const PixelRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) +
         "x" + std::to_string(r.height);
}

}  // namespace cw::win32::testing

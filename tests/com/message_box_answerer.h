#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace cw::com::testing {

// Answers every message box the module shows on this thread while it lives, with its default
// button, and keeps their texts: a test that makes the module show one must not wait for a
// person. Without a display no box appears at all, and none is kept.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer() {
    current() = this;
    hook_ =
        ::SetWindowsHookExW(WH_CBT, &MessageBoxAnswerer::onEvent, nullptr, ::GetCurrentThreadId());
  }
  ~MessageBoxAnswerer() {
    if (hook_) ::UnhookWindowsHookEx(hook_);
    current() = nullptr;
  }
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  const std::vector<std::wstring>& texts() const { return texts_; }

 private:
  static MessageBoxAnswerer*& current() {
    static MessageBoxAnswerer* answerer = nullptr;
    return answerer;
  }

  static LRESULT CALLBACK onEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current()) {
      HWND window = reinterpret_cast<HWND>(wParam);
      wchar_t className[16] = {};
      ::GetClassNameW(window, className, 16);
      if (std::wstring(className) == L"#32770") {
        wchar_t text[1024] = {};
        ::GetDlgItemTextW(window, 0xFFFF, text, 1024);  // the box's text control
        current()->texts_.push_back(text);
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
      }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  HHOOK hook_ = nullptr;
  std::vector<std::wstring> texts_;
};

}  // namespace cw::com::testing

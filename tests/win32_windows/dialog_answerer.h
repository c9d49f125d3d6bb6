#pragma once

// Acts on each top-level window of one class as it becomes active on this thread (a message
// box, the input box), while it lives: a test that shows one must not wait for a person.

#include <windows.h>

#include <functional>
#include <string>

namespace cw::win32::testing {

class DialogAnswerer {
 public:
  DialogAnswerer(std::wstring className, std::function<void(HWND)> answer)
      : className_(std::move(className)), answer_(std::move(answer)) {
    current() = this;
    hook_ = ::SetWindowsHookExW(WH_CBT, &DialogAnswerer::onEvent, nullptr, ::GetCurrentThreadId());
  }
  ~DialogAnswerer() {
    if (hook_) ::UnhookWindowsHookEx(hook_);
    current() = nullptr;
  }
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  int answered() const { return answered_; }

 private:
  static DialogAnswerer*& current() {
    static DialogAnswerer* answerer = nullptr;
    return answerer;
  }

  static LRESULT CALLBACK onEvent(int code, WPARAM wParam, LPARAM lParam) {
    DialogAnswerer* self = current();
    if (code == HCBT_ACTIVATE && self) {
      auto window = reinterpret_cast<HWND>(wParam);
      wchar_t name[64] = {};
      ::GetClassNameW(window, name, 64);
      if (self->className_ == name) {
        ++self->answered_;
        self->answer_(window);
      }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  std::wstring className_;
  std::function<void(HWND)> answer_;
  HHOOK hook_ = nullptr;
  int answered_ = 0;
};

// Runs an action once, from the thread's message loop (a modal window's), soon.
class SoonAction {
 public:
  explicit SoonAction(std::function<void()> action) {
    pending() = std::move(action);
    timer_ = ::SetTimer(nullptr, 0, 20, &SoonAction::fire);
  }
  ~SoonAction() {
    ::KillTimer(nullptr, timer_);
    pending() = nullptr;
  }
  SoonAction(const SoonAction&) = delete;
  SoonAction& operator=(const SoonAction&) = delete;

 private:
  static std::function<void()>& pending() {
    static std::function<void()> action;
    return action;
  }
  static void CALLBACK fire(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    auto action = std::move(pending());
    pending() = nullptr;
    if (action) action();
  }
  UINT_PTR timer_ = 0;
};

}  // namespace cw::win32::testing

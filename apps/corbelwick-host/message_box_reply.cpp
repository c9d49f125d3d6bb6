#include "message_box_reply.h"

#include <utility>

namespace {

MessageBoxReply* current = nullptr;

}  // namespace

MessageBoxReply::MessageBoxReply(std::function<void(const std::wstring&)> heard)
    : heard_(std::move(heard)) {
  current = this;
  hook_ = ::SetWindowsHookExW(WH_CBT, &MessageBoxReply::onEvent, nullptr, ::GetCurrentThreadId());
}

MessageBoxReply::~MessageBoxReply() {
  if (hook_) ::UnhookWindowsHookEx(hook_);
  current = nullptr;
}

LRESULT CALLBACK MessageBoxReply::onEvent(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && current) {
    HWND window = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770") {  // the dialog class of a message box
      wchar_t text[4096] = {};
      ::GetDlgItemTextW(window, 0xFFFF, text, 4096);  // the box's text control
      current->heard_(text);
      // The default button: Yes of a Yes/No box, OK of the others.
      const bool question = ::GetDlgItem(window, IDYES) != nullptr;
      ::PostMessageW(window, WM_COMMAND, question ? IDYES : IDOK, 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

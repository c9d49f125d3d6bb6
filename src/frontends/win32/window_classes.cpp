#include "frontends/win32/window_classes.h"

#include <exception>
#include <string>

#include "platform/win32/wide_text.h"

namespace cw::win32 {

namespace {

LRESULT CALLBACK targetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* target = reinterpret_cast<MessageTarget*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (message == WM_SETCURSOR && waitPointerShown()) {
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    return TRUE;
  }
  if (target) {
    try {
      return target->handle(window, message, wParam, lParam);
    } catch (const std::exception& failure) {
      showUnexpectedFailure(failure.what());
      return 0;
    } catch (...) {
      showUnexpectedFailure("an unknown failure");
      return 0;
    }
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// A directory list's panel passes what its list and label tell it on to the window it lies in,
// so the window's handlers see them as from any other control.
LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
      return ::SendMessageW(::GetParent(window), message, wParam, lParam);
    case WM_SETCURSOR:
      if (waitPointerShown()) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* const kTargetClasses[] = {kFormClass, kModalClass, kFrameClass, kInputBoxClass};

void registerClass(const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  // A class left by an earlier load of this module at the same address: made afresh.
  if (::GetClassInfoExW(thisModule(), name, &existing)) ::UnregisterClassW(name, thisModule());
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = thisModule();
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  ::RegisterClassExW(&wc);
}

bool& classesRegistered() {
  static bool registered = false;
  return registered;
}

void registerClasses() {
  if (classesRegistered()) return;
  for (const wchar_t* name : kTargetClasses) registerClass(name, targetProc);
  registerClass(kPanelClass, panelProc);
  classesRegistered() = true;
}

}  // namespace

HINSTANCE thisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&thisModule), &module);
  return module;
}

HWND createWindow(DWORD exStyle, const wchar_t* className, const std::wstring& text, DWORD style,
                  int left, int top, int width, int height, HWND parent, MessageTarget* target) {
  registerClasses();
  return ::CreateWindowExW(exStyle, className, text.c_str(), style, left, top, width, height,
                           parent, nullptr, thisModule(), target);
}

void unregisterWindowClasses() {
  if (!classesRegistered()) return;
  for (const wchar_t* name : kTargetClasses) ::UnregisterClassW(name, thisModule());
  ::UnregisterClassW(kPanelClass, thisModule());
  classesRegistered() = false;
}

bool& waitPointerShown() {
  static bool shown = false;
  return shown;
}

void showUnexpectedFailure(const char* what) noexcept {
  try {
    const std::wstring text =
        L"An unexpected failure in a window's event: " + platform::win32::toWide(what ? what : "");
    ::MessageBoxW(::GetActiveWindow(), text.c_str(), nullptr, MB_OK);
  } catch (...) {
    ::MessageBoxW(::GetActiveWindow(), L"An unexpected failure in a window's event", nullptr,
                  MB_OK);
  }
}

}  // namespace cw::win32

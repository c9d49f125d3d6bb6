#include "frontends/win32/input_box.h"

#include "frontends/win32/control_names.h"
#include "frontends/win32/modal_loop.h"
#include "frontends/win32/modal_window.h"
#include "frontends/win32/window_classes.h"
#include "frontends/win32/window_font.h"
#include "platform/win32/wide_text.h"

namespace cw::win32 {

namespace {

using platform::win32::toWide;

constexpr int kEntryId = 1000;

class InputBox : public MessageTarget {
 public:
  LRESULT handle(HWND box, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) finish(box, true);
        if (LOWORD(wParam) == IDCANCEL) finish(box, false);
        return 0;
      case WM_CLOSE:
        finish(box, false);
        return 0;
      case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) ::SetFocus(::GetDlgItem(box, kEntryId));
        return 0;
      default:
        return ::DefWindowProcW(box, message, wParam, lParam);
    }
  }

  bool done() const { return done_; }
  const std::string& answer() const { return answer_; }

 private:
  void finish(HWND box, bool accepted) {
    if (done_) return;
    if (accepted) {
      HWND entry = ::GetDlgItem(box, kEntryId);
      const int length = ::GetWindowTextLengthW(entry);
      std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
      text.resize(static_cast<std::size_t>(::GetWindowTextW(entry, text.data(), length + 1)));
      answer_ = platform::win32::fromWide(text);
    }
    done_ = true;
  }

  bool done_ = false;
  std::string answer_;
};

HWND addControl(HWND box, const wchar_t* className, const std::wstring& text, DWORD style,
                DWORD exStyle, const RECT& at, int id, const char* name, HFONT font) {
  HWND control =
      ::CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, at.left,
                        at.top, at.right - at.left, at.bottom - at.top, box,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), thisModule(), nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  setWindowName(control, name);
  return control;
}

}  // namespace

std::string runInputBox(std::string_view prompt, std::string_view title, const PixelScale& scale,
                        HWND owner) {
  // Laid out in pixels at 96 dpi and scaled with the screen's.
  const int dpi = scale.dpiY();
  const auto px = [dpi](int pixels) { return ::MulDiv(pixels, dpi, 96); };
  const auto rect = [&px](int left, int top, int width, int height) {
    return RECT{px(left), px(top), px(left + width), px(top + height)};
  };
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  const SIZE size = outerSize(kStyle, kExStyle, px(356), px(118));
  const POINT at = centredOver(owner, size.cx, size.cy);
  InputBox target;
  HWND box = createWindow(kExStyle, kInputBoxClass, toWide(title), kStyle, at.x, at.y, size.cx,
                          size.cy, owner, &target);
  if (!box) return "";
  HFONT font = createWindowFont(scale);
  std::string shown(prompt);
  addControl(box, L"STATIC", toWide(shown), SS_LEFT | SS_NOPREFIX, 0, rect(9, 9, 258, 72), -1,
             kInputBoxPrompt, font);
  addControl(box, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, rect(276, 9, 72, 23), IDOK,
             kInputBoxOk, font);
  addControl(box, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, rect(276, 38, 72, 23),
             IDCANCEL, kInputBoxCancel, font);
  HWND entry = addControl(box, L"EDIT", L"", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP,
                          WS_EX_CLIENTEDGE, rect(9, 88, 339, 21), kEntryId, kInputBoxEntry, font);
  ::SendMessageW(entry, EM_LIMITTEXT, 0, 0);
  runModalLoop(box, owner, [&target] { return target.done(); });
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    clearWindowName(child);
  }
  ::DestroyWindow(box);
  ::DeleteObject(font);
  return target.answer();
}

}  // namespace cw::win32

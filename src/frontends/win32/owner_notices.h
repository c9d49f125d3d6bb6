#pragma once

// What the module's toolkit tells the window that owns its windows (the host's main window)
// before it changes the mouse pointer or opens a link, so that a host that plays or records a
// session sees both in order with everything else it sees. The notices are registered window
// messages sent synchronously, and only to an owner in the module's own process: a link's text
// travels as a pointer. A host that knows nothing of them answers 0 (DefWindowProc), and the
// module acts on its own as it would without them.
//
//   pointerNotice()  wParam kPointerWait or kPointerDefault, lParam 0. The answer is not
//                    examined: the module sets the pointer in any case.
//   linkNotice()     wParam 0, lParam a const wchar_t*, the link's text ending with a 0, valid
//                    only during the call (linkOf reads it). An owner that answers
//                    kNoticeHandled has taken care of the link, and the module does not launch
//                    it; on any other answer the module opens it with the shell.

#include <windows.h>

#include <string>

namespace cw::win32 {

inline constexpr wchar_t kPointerNoticeName[] = L"CorbelwickBookmarks.MousePointer";
inline constexpr wchar_t kLinkNoticeName[] = L"CorbelwickBookmarks.OpenLink";

inline constexpr WPARAM kPointerDefault = 0;
inline constexpr WPARAM kPointerWait = 1;

// An answer no window gives by chance: 0 is DefWindowProc's, 1 and -1 are common elsewhere.
inline constexpr LRESULT kNoticeHandled = 0x4357424B;

inline UINT pointerNotice() {
  static const UINT message = ::RegisterWindowMessageW(kPointerNoticeName);
  return message;
}

inline UINT linkNotice() {
  static const UINT message = ::RegisterWindowMessageW(kLinkNoticeName);
  return message;
}

// The link a linkNotice carries.
inline std::wstring linkOf(LPARAM lParam) {
  const auto* text = reinterpret_cast<const wchar_t*>(lParam);
  return text ? std::wstring(text) : std::wstring();
}

}  // namespace cw::win32

#include "frontends/win32/modal_loop.h"

namespace cw::win32 {

bool runModalLoop(HWND window, HWND owner, const std::function<bool()>& done) {
  const bool ownerEnabled = owner && ::IsWindowEnabled(owner);
  if (ownerEnabled) ::EnableWindow(owner, FALSE);
  ::ShowWindow(window, SW_SHOW);
  ::SetActiveWindow(window);
  bool quit = false;
  MSG message{};
  while (!done()) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      quit = true;
      break;
    }
    if (got == -1) break;
    if (!::IsDialogMessageW(window, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  // The owner is enabled before the window goes, so that it, not another program, is active.
  if (ownerEnabled) ::EnableWindow(owner, TRUE);
  ::ShowWindow(window, SW_HIDE);
  if (owner && ::IsWindow(owner)) ::SetActiveWindow(owner);
  return !quit;
}

POINT centredOver(HWND owner, int width, int height) {
  RECT area{};
  if (!owner || !::GetWindowRect(owner, &area)) {
    area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  POINT at{area.left + (area.right - area.left - width) / 2,
           area.top + (area.bottom - area.top - height) / 2};
  if (at.x < 0) at.x = 0;
  if (at.y < 0) at.y = 0;
  return at;
}

}  // namespace cw::win32

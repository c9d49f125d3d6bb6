#include "frontends/win32/win32_toolkit.h"

#include <windows.h>
// After windows.h, which it needs before it.
#include <shellapi.h>

#include "frontends/win32/input_box.h"
#include "frontends/win32/modal_window.h"
#include "frontends/win32/owner_notices.h"
#include "frontends/win32/pixel_scale.h"
#include "frontends/win32/window_classes.h"
#include "platform/win32/wide_text.h"
#include "ui/controls/window.h"

namespace cw::win32 {

using platform::win32::toWide;

namespace {

// The owner's answer to a notice; 0 when there is no owner or it lives in another process,
// where the notice's pointers would mean nothing.
LRESULT tellOwner(const WindowOwner& owner, UINT notice, WPARAM wParam, LPARAM lParam) {
  HWND window = owner ? owner() : nullptr;
  if (!window || !notice || !::IsWindow(window)) return 0;
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process != ::GetCurrentProcessId()) return 0;
  return ::SendMessageW(window, notice, wParam, lParam);
}

}  // namespace

Win32WindowHost::~Win32WindowHost() {
  waitPointerShown() = false;
}

platform::MessageResult Win32WindowHost::messageBox(std::string_view text,
                                                    platform::MessageButtons buttons) {
  const bool question = buttons == platform::MessageButtons::kYesNo;
  const int answer = ::MessageBoxW(::GetActiveWindow(), toWide(text).c_str(),
                                   toWide(title_).c_str(), question ? MB_YESNO : MB_OK);
  if (!question) return platform::MessageResult::kOk;
  return answer == IDYES ? platform::MessageResult::kYes : platform::MessageResult::kNo;
}

std::string Win32WindowHost::inputBox(std::string_view prompt) {
  return runInputBox(prompt, title_, PixelScale::ofScreen(), ::GetActiveWindow());
}

void Win32WindowHost::setMousePointer(platform::MousePointer pointer) {
  const bool waiting = pointer == platform::MousePointer::kHourglass;
  tellOwner(owner_, pointerNotice(), waiting ? kPointerWait : kPointerDefault, 0);
  waitPointerShown() = waiting;
  ::SetCursor(::LoadCursorA(nullptr, waiting ? IDC_WAIT : IDC_ARROW));
}

platform::ScreenMetrics Win32WindowHost::screen() {
  const PixelScale scale = PixelScale::ofScreen();
  platform::ScreenMetrics metrics;
  metrics.twipsPerPixelX = scale.perPixelX;
  metrics.twipsPerPixelY = scale.perPixelY;
  metrics.widthTwips = ::GetSystemMetrics(SM_CXSCREEN) * scale.perPixelX;
  metrics.heightTwips = ::GetSystemMetrics(SM_CYSCREEN) * scale.perPixelY;
  return metrics;
}

void Win32WindowHost::showModal(ui::Window& window) {
  window.show();
  runModalWindow(window, PixelScale::ofScreen(), ::GetActiveWindow());
}

void Win32Shell::launchWithShell(const std::wstring& target) {
  ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Shell::openLink(std::string_view target) {
  const std::wstring wide = toWide(target);
  if (tellOwner(owner_, linkNotice(), 0, reinterpret_cast<LPARAM>(wide.c_str())) ==
      kNoticeHandled) {
    return;
  }
  if (launch_) launch_(wide);
}

}  // namespace cw::win32

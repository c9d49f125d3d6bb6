#include "hosts/com/win32_services.h"

#include <windows.h>
// After windows.h, which it needs before it.
#include <shellapi.h>

#include "errors/failure.h"
#include "platform/win32/wide_text.h"

namespace cw::com {

namespace {

using platform::win32::toWide;

[[noreturn]] void notYetAvailable(const char* what) {
  throw Failure(err::kInternalError, std::string(what) + " is not available in the host yet");
}

}  // namespace

platform::MessageResult Win32Desktop::messageBox(std::string_view text,
                                                 platform::MessageButtons buttons) {
  const bool question = buttons == platform::MessageButtons::kYesNo;
  const int answer = ::MessageBoxW(::GetActiveWindow(), toWide(text).c_str(),
                                   toWide(title_).c_str(), question ? MB_YESNO : MB_OK);
  if (!question) return platform::MessageResult::kOk;
  return answer == IDYES ? platform::MessageResult::kYes : platform::MessageResult::kNo;
}

std::string Win32Desktop::inputBox(std::string_view) {
  notYetAvailable("The input box");
}

void Win32Desktop::setMousePointer(platform::MousePointer pointer) {
  const bool waiting = pointer == platform::MousePointer::kHourglass;
  ::SetCursor(::LoadCursorA(nullptr, waiting ? IDC_WAIT : IDC_ARROW));
}

platform::ScreenMetrics Win32Desktop::screen() {
  platform::ScreenMetrics metrics;
  HDC screen = ::GetDC(nullptr);
  const int dpiX = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  const int dpiY = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  metrics.twipsPerPixelX = 1440 / (dpiX > 0 ? dpiX : 96);
  metrics.twipsPerPixelY = 1440 / (dpiY > 0 ? dpiY : 96);
  metrics.widthTwips = ::GetSystemMetrics(SM_CXSCREEN) * metrics.twipsPerPixelX;
  metrics.heightTwips = ::GetSystemMetrics(SM_CYSCREEN) * metrics.twipsPerPixelY;
  return metrics;
}

void Win32Desktop::showModal(ui::Window&) {
  notYetAvailable("A modal window");
}

void Win32Shell::openLink(std::string_view target) {
  ::ShellExecuteW(nullptr, L"open", toWide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace cw::com

#include "host_window.h"

#include <exception>
#include <iostream>
#include <string>

#include "frontends/win32/owner_notices.h"
#include "hosts/standin/document.h"
#include "hosts/standin/text_forms.h"
#include "platform/win32/wide_text.h"

namespace {

constexpr wchar_t kWindowClass[] = L"CorbelwickHostWindow";
constexpr int kButtonId = 100;
constexpr int kToolbarHeight = 32;

std::string extentText(const cw::host::Envelope& e) {
  using cw::standin::shortestText;
  return shortestText(e.XMin) + " " + shortestText(e.YMin) + " " + shortestText(e.XMax) + " " +
         shortestText(e.YMax);
}

}  // namespace

HostWindow::HostWindow(const std::wstring& buttonCaption, std::function<void()> onClick,
                       cw::standin::Document& document, ModuleNotices notices)
    : onClick_(std::move(onClick)), notices_(std::move(notices)), document_(document) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = &HostWindow::procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassW(&windowClass);
  window_ =
      ::CreateWindowExW(0, kWindowClass, L"Corbelwick Host", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 640, 480, nullptr, nullptr, windowClass.hInstance, this);
  button_ =
      ::CreateWindowExW(0, L"BUTTON", buttonCaption.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                        4, 4, 160, kToolbarHeight - 8, window_, reinterpret_cast<HMENU>(kButtonId),
                        windowClass.hInstance, nullptr);
  document_.listeners.push_back([this] { ::InvalidateRect(window_, nullptr, TRUE); });
}

HostWindow::~HostWindow() {
  if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
}

int HostWindow::run() {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

void HostWindow::paint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window_, &paint);
  int top = kToolbarHeight + 8;
  for (int i = 0; i < document_.dataFrameCount(); ++i) {
    const cw::standin::DataFrame& frame = *document_.dataFrames[i];
    std::string line = (i == document_.focusIndex() ? "* " : "  ") + frame.name() + "  " +
                       extentText(frame.extent());
    const std::wstring wide = cw::platform::win32::toWide(line);
    ::TextOutW(dc, 8, top, wide.c_str(), static_cast<int>(wide.size()));
    top += 20;
  }
  ::EndPaint(window_, &paint);
}

bool HostWindow::answerNotice(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  using namespace cw::win32;
  const bool pointer = message != 0 && message == pointerNotice();
  const bool link = message != 0 && message == linkNotice();
  if (!pointer && !link) return false;
  answer = 0;
  try {
    if (pointer && notices_.pointer) {
      notices_.pointer(wParam == kPointerWait);
      answer = kNoticeHandled;
    } else if (link && notices_.link) {
      notices_.link(linkOf(lParam));
      answer = kNoticeHandled;
    }
  } catch (const std::exception& failure) {
    // Left to the module, which acts on its own.
    std::cerr << "corbelwick-host: a notice of the module failed: " << failure.what() << "\n";
    answer = 0;
  }
  return true;
}

LRESULT CALLBACK HostWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT answer = 0;
  if (self && self->answerNotice(message, wParam, lParam, answer)) return answer;
  switch (message) {
    case WM_COMMAND:
      if (self && LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) {
        self->onClick_();
        return 0;
      }
      break;
    case WM_PAINT:
      if (self) {
        self->paint();
        return 0;
      }
      break;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

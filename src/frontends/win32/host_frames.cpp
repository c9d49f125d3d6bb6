#include "frontends/win32/host_frames.h"

#include <string_view>

#include "base/failure.h"
#include "frontends/win32/form_view.h"
#include "frontends/win32/modal_window.h"
#include "platform/win32/wide_text.h"
#include "ui/controls/window.h"

namespace cw::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

bool isFrame(HWND window) {
  wchar_t name[32] = {};
  ::GetClassNameW(window, name, 32);
  return std::wstring_view(name) == kFrameClass;
}

// The host's message loop knows nothing of dialog keys: Tab, the arrows, Enter and Escape typed
// in a frame go to the frame's dialog navigation before the control sees them.
LRESULT CALLBACK dialogKeys(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (message->hwnd && message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) {
      HWND root = ::GetAncestor(message->hwnd, GA_ROOT);
      if (root && isFrame(root) && ::IsDialogMessageW(root, message)) {
        message->message = WM_NULL;
        message->wParam = 0;
        message->lParam = 0;
      }
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

Win32HostFrame::Win32HostFrame(HWND owner, PixelScale scale) : owner_(owner), scale_(scale) {
  frame_ = createWindow(kExStyle, kFrameClass, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100,
                        owner, this);
}

Win32HostFrame::~Win32HostFrame() {
  view_.reset();
  if (frame_ && ::IsWindow(frame_)) ::DestroyWindow(frame_);
}

void Win32HostFrame::bind(ui::Window& window) {
  // Kept before loading: the window's start-up may ask for its frame.
  window_ = &window;
  if (!window.isLoaded()) window.load();
  view_.reset();
  view_ = std::make_unique<FormView>(window, frame_, scale_);
  const SIZE size =
      outerSize(kStyle, kExStyle, scale_.x(window.spec().width), scale_.y(window.spec().height));
  ::SetWindowPos(frame_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32HostFrame::setCaption(std::string caption) {
  ::SetWindowTextW(frame_, platform::win32::toWide(caption).c_str());
}

void Win32HostFrame::setVisible(bool visible) {
  if (window_) {
    if (visible) {
      window_->show();
    } else {
      window_->hide();
    }
  }
  visible_ = visible;
  if (visible && !placed_) {
    RECT area{};
    if (owner_ && ::GetWindowRect(owner_, &area)) {
      ::SetWindowPos(frame_, nullptr, area.left + 60, area.top + 90, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    placed_ = true;
  }
  if (view_ && visible) view_->sync();
  ::ShowWindow(frame_, visible ? SW_SHOW : SW_HIDE);
}

void Win32HostFrame::move(int left, int top, int width, int height) {
  RECT now{};
  ::GetWindowRect(frame_, &now);
  ::SetWindowPos(frame_, nullptr, left, top, width > 0 ? width : now.right - now.left,
                 height > 0 ? height : now.bottom - now.top, SWP_NOZORDER | SWP_NOACTIVATE);
  placed_ = true;
}

LRESULT Win32HostFrame::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    setVisible(false);
    return 0;
  }
  if (message == WM_NCDESTROY) frame_ = nullptr;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

Win32FrameProvider::Win32FrameProvider(std::function<HWND()> owner,
                                       std::function<PixelScale()> scale)
    : owner_(std::move(owner)), scale_(std::move(scale)) {}

Win32FrameProvider::~Win32FrameProvider() {
  if (keys_) ::UnhookWindowsHookEx(keys_);
  // Newest first, as they were made.
  while (!frames_.empty()) frames_.pop_back();
}

Win32HostFrame& Win32FrameProvider::createFrame() {
  auto frame = std::make_unique<Win32HostFrame>(owner_ ? owner_() : nullptr, scale_());
  if (!frame->hwnd()) {
    throw Failure(err::kInternalError, "The frame window could not be made (error " +
                                           std::to_string(::GetLastError()) + ")");
  }
  if (!keys_) {
    keys_ = ::SetWindowsHookExW(WH_GETMESSAGE, dialogKeys, nullptr, ::GetCurrentThreadId());
  }
  frames_.push_back(std::move(frame));
  return *frames_.back();
}

bool Win32FrameProvider::showsWindow(const ui::Window& window) const {
  for (const auto& frame : frames_) {
    if (frame->window() == &window) return true;
  }
  return false;
}

}  // namespace cw::win32

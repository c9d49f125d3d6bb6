#include "frontends/win32/modal_window.h"

#include <memory>

#include "frontends/win32/form_view.h"
#include "frontends/win32/modal_loop.h"
#include "frontends/win32/window_classes.h"
#include "platform/win32/wide_text.h"
#include "ui/controls/window.h"

namespace cw::win32 {

namespace {

class ModalDialog : public MessageTarget {
 public:
  explicit ModalDialog(ui::Window& window) : window_(window) {}

  LRESULT handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CLOSE) {
      window_.closedByUser();
      return 0;
    }
    return ::DefWindowProcW(dialog, message, wParam, lParam);
  }

 private:
  ui::Window& window_;
};

}  // namespace

SIZE outerSize(DWORD style, DWORD exStyle, int clientWidth, int clientHeight) {
  RECT r{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return {r.right - r.left, r.bottom - r.top};
}

void runModalWindow(ui::Window& window, const PixelScale& scale, HWND owner) {
  if (!window.isVisible()) return;
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  const SIZE size =
      outerSize(kStyle, kExStyle, scale.x(window.spec().width), scale.y(window.spec().height));
  const POINT at = centredOver(owner, size.cx, size.cy);
  ModalDialog target(window);
  HWND dialog = createWindow(kExStyle, kModalClass, platform::win32::toWide(window.caption()),
                             kStyle, at.x, at.y, size.cx, size.cy, owner, &target);
  if (!dialog) {
    window.hide();
    return;
  }
  auto view = std::make_unique<FormView>(window, dialog, scale);
  auto alive = std::make_shared<HWND>(dialog);
  std::weak_ptr<HWND> guard = alive;
  window.addListener([guard, &window] {
    if (auto shown = guard.lock()) {
      ::SetWindowTextW(*shown, platform::win32::toWide(window.caption()).c_str());
      ::PostMessageW(*shown, WM_NULL, 0, 0);  // the loop looks whether it is hidden
    }
  });
  const bool ended = runModalLoop(dialog, owner, [&window] { return !window.isVisible(); });
  if (!ended && window.isVisible()) window.closedByUser();
  if (window.isVisible()) window.hide();
  alive.reset();
  view.reset();
  ::DestroyWindow(dialog);
}

}  // namespace cw::win32

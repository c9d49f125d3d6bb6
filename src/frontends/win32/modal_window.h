#pragma once

#include <windows.h>

#include "frontends/win32/pixel_scale.h"

namespace cw::ui {
class Window;
}

namespace cw::win32 {

// Shows a shown system window modally over the owner in a dialog of its own with the window's
// caption, running the thread's messages until the window is hidden. The dialog's close control
// is the window's own (which hides it or not). Should the application quit meanwhile, the window
// is closed as by that control and hidden at last, so the system's code goes on.
void runModalWindow(ui::Window& window, const PixelScale& scale, HWND owner);

// The outer size of a top-level window of that style around a client of that size.
SIZE outerSize(DWORD style, DWORD exStyle, int clientWidth, int clientHeight);

}  // namespace cw::win32

#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace cw::win32 {

// Every control this library makes, and the client of every system window, carries its name
// from the window's description ("btnZoom", "frmMain") as a window property, so that a driver in
// the same process (a test, the stand-in host) finds it through window calls alone.
void setWindowName(HWND window, std::string_view name);
// Removes the name (before the window is destroyed).
void clearWindowName(HWND window);
// The name; "" when the window has none.
std::string windowName(HWND window);

}  // namespace cw::win32

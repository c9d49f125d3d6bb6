#pragma once

#include <windows.h>

#include <functional>

namespace cw::win32 {

// Shows a window modally over its owner (disabled meanwhile; nullptr for none) and runs the
// thread's messages until `done` says so; a message to post to the window wakes the loop to ask.
// A quit message ends the loop early and is posted again for the loop outside; the result
// is false then. The window is hidden at the end, not destroyed.
bool runModalLoop(HWND window, HWND owner, const std::function<bool()>& done);

// Where a window of that outer size goes: centred over the owner, or the screen.
POINT centredOver(HWND owner, int width, int height);

}  // namespace cw::win32

#pragma once

#include <windows.h>

#include "command/corbelwick_bookmarks.h"

namespace cw::com {

// The command's picture as a 16 x 16, 24-bit device-independent bitmap, made on the first call
// and the same handle on every later one; it lives as long as the module is loaded. Fails
// (Failure) when the system cannot make it.
HBITMAP commandPicture(const Bitmap16& picture);

}  // namespace cw::com

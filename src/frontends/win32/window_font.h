#pragma once

#include <windows.h>

#include "frontends/win32/pixel_scale.h"

namespace cw::win32 {

// The face the windows were laid out in, MS Sans Serif 8 pt, at the scale's pixels per inch;
// link labels draw it underlined. The caller deletes it.
HFONT createWindowFont(const PixelScale& scale, bool underlined = false);

// The height of one line of text in that font, in pixels.
int lineHeight(HFONT font);

}  // namespace cw::win32

#pragma once

#include "ui/controls/control.h"

namespace cw::win32 {

// Twips (1/1440 inch) to pixels by a whole factor, as the platform's twips-per-pixel is: 15 at
// 96 dpi, 12 at 120 dpi.
struct PixelScale {
  int perPixelX = 15;
  int perPixelY = 15;

  static PixelScale fromDpi(int dpiX, int dpiY);
  // From the screen's logical pixels per inch.
  static PixelScale ofScreen();

  int x(int twips) const;
  int y(int twips) const;
  int dpiY() const { return 1440 / perPixelY; }
  bool operator==(const PixelScale&) const = default;
};

// A control's rectangle in pixels, relative to its container.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

PixelRect toPixels(const ui::Twips& twips, const PixelScale& scale);

}  // namespace cw::win32

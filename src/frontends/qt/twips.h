#pragma once

#include <cmath>

#include "ui/controls/control.h"

class QScreen;

namespace cw::qt {

// Twips (1/1440 inch) to screen pixels. The factor is whole, as the platform's twips-per-pixel
// is: 15 at 96 dpi, 12 at 120 dpi, 10 at 144 dpi.
struct TwipsScale {
  int perPixelX = 15;
  int perPixelY = 15;

  static int perPixelFromDpi(double dpi) {
    return dpi > 0 ? static_cast<int>(std::lround(1440.0 / dpi)) : 15;
  }
  static TwipsScale fromDpi(double dpiX, double dpiY) {
    return {perPixelFromDpi(dpiX), perPixelFromDpi(dpiY)};
  }
  // From the logical dpi of the screen (the primary one when none is given).
  static TwipsScale ofScreen(const QScreen* screen = nullptr);

  int x(int twips) const { return static_cast<int>(std::lround(double(twips) / perPixelX)); }
  int y(int twips) const { return static_cast<int>(std::lround(double(twips) / perPixelY)); }
  bool operator==(const TwipsScale&) const = default;
};

// A control's rectangle in pixels, relative to its container.
struct PixelRect {
  int left, top, width, height;
  bool operator==(const PixelRect&) const = default;
};
inline PixelRect toPixels(const ui::Twips& t, const TwipsScale& s) {
  return {s.x(t.left), s.y(t.top), s.x(t.width), s.y(t.height)};
}

}  // namespace cw::qt

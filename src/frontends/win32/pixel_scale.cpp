#include "frontends/win32/pixel_scale.h"

#include <windows.h>

#include <cmath>

namespace cw::win32 {

namespace {

int perPixel(int dpi) {
  return dpi > 0 ? static_cast<int>(std::lround(1440.0 / dpi)) : 15;
}

}  // namespace

PixelScale PixelScale::fromDpi(int dpiX, int dpiY) {
  return {perPixel(dpiX), perPixel(dpiY)};
}

PixelScale PixelScale::ofScreen() {
  HDC screen = ::GetDC(nullptr);
  if (!screen) return {};
  const PixelScale scale =
      fromDpi(::GetDeviceCaps(screen, LOGPIXELSX), ::GetDeviceCaps(screen, LOGPIXELSY));
  ::ReleaseDC(nullptr, screen);
  return scale;
}

int PixelScale::x(int twips) const {
  return static_cast<int>(std::lround(double(twips) / perPixelX));
}

int PixelScale::y(int twips) const {
  return static_cast<int>(std::lround(double(twips) / perPixelY));
}

PixelRect toPixels(const ui::Twips& twips, const PixelScale& scale) {
  return {scale.x(twips.left), scale.y(twips.top), scale.x(twips.width), scale.y(twips.height)};
}

}  // namespace cw::win32

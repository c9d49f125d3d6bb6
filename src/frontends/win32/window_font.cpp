#include "frontends/win32/window_font.h"

namespace cw::win32 {

HFONT createWindowFont(const PixelScale& scale, bool underlined) {
  return ::CreateFontW(-::MulDiv(8, scale.dpiY(), 72), 0, 0, 0, FW_NORMAL, FALSE,
                       underlined ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"MS Sans Serif");
}

int lineHeight(HFONT font) {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(screen, &metrics);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return metrics.tmHeight;
}

}  // namespace cw::win32

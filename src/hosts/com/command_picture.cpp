#include "hosts/com/command_picture.h"

#include <cstring>

#include "base/failure.h"

namespace cw::com {

namespace {

HBITMAP makeBitmap(const Bitmap16& picture) {
  constexpr int kSize = Bitmap16::kSize;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kSize;
  info.bmiHeader.biHeight = -kSize;  // top row first, as the picture is held
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    throw Failure(err::kOutOfMemory, "Out of memory");
  }
  // Rows of a DIB are padded to four bytes and hold blue, green, red.
  constexpr int kStride = (kSize * 3 + 3) & ~3;
  auto* rows = static_cast<unsigned char*>(bits);
  std::memset(rows, 0, kStride * kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const unsigned char* rgb = picture.rgb + (y * kSize + x) * 3;
      unsigned char* bgr = rows + y * kStride + x * 3;
      bgr[0] = rgb[2];
      bgr[1] = rgb[1];
      bgr[2] = rgb[0];
    }
  }
  ::GdiFlush();
  return bitmap;
}

// Owns the one handle; it goes with the module.
struct PictureHandle {
  HBITMAP handle = nullptr;
  ~PictureHandle() {
    if (handle) ::DeleteObject(handle);
  }
};

}  // namespace

HBITMAP commandPicture(const Bitmap16& picture) {
  static PictureHandle held;
  if (!held.handle) held.handle = makeBitmap(picture);
  return held.handle;
}

}  // namespace cw::com

#include <array>
#include <memory>
#include <string_view>

#include "command/corbelwick_bookmarks.h"

namespace cw {

namespace {

// The toolbar picture: a red bookmark ribbon over a small map (land, a road, a bay).
// clang-format off
constexpr std::array<std::string_view, Bitmap16::kSize> kPictureArt = {
    "gggggggyydrrrdgg",
    "ggggggyygdrrrdgg",
    "gggggyyggdrrrdgg",
    "ggggyygggdrrrdgg",
    "gggyyggggdrrrdgg",
    "ggyygggggdrrrdgg",
    "gyyggggggdrrrdgg",
    "yyyyyyyyydrrrdyy",
    "gggggggggdrrrdgg",
    "bbgggggggdrrrdgg",
    "bbbggggggdrdrdgg",
    "bbbbgggggddgddgg",
    "bbbbbggggdgggdgg",
    "bbbbbbgggggggggg",
    "bbbbbbbggggggggg",
    "bbbbbbbbgggggggg",
};
// clang-format on

struct Rgb {
  unsigned char r, g, b;
};

constexpr Rgb colourOf(char code) {
  switch (code) {
    case 'g':
      return {0x9C, 0xCC, 0x7E};  // land
    case 'y':
      return {0xF2, 0xC9, 0x4C};  // road
    case 'b':
      return {0x5D, 0x9C, 0xD8};  // water
    case 'r':
      return {0xD2, 0x23, 0x2B};  // ribbon
    case 'd':
      return {0x8A, 0x10, 0x18};  // ribbon edge
  }
  return {0, 0, 0};
}

constexpr bool artIsSquare() {
  for (std::string_view row : kPictureArt) {
    if (row.size() != Bitmap16::kSize) return false;
  }
  return true;
}
static_assert(artIsSquare(), "every row of the picture has 16 pixels");

Bitmap16 drawPicture() {
  Bitmap16 picture{};
  for (int y = 0; y < Bitmap16::kSize; ++y) {
    for (int x = 0; x < Bitmap16::kSize; ++x) {
      Rgb colour = colourOf(kPictureArt[y][x]);
      unsigned char* pixel = picture.rgb + (y * Bitmap16::kSize + x) * 3;
      pixel[0] = colour.r;
      pixel[1] = colour.g;
      pixel[2] = colour.b;
    }
  }
  return picture;
}

// The resources window of the module: it only holds the command's picture.
struct FrmResources {
  Bitmap16 Picture1 = drawPicture();
};

// Created on the first read of the picture and kept for the life of the process.
FrmResources& frmResources() {
  static const std::unique_ptr<FrmResources> resources = std::make_unique<FrmResources>();
  return *resources;
}

}  // namespace

const Bitmap16& CorbelwickBookmarks::Bitmap() {
  return frmResources().Picture1;
}

}  // namespace cw

#include "store/ansi.h"

#include <array>
#include <cstdint>

namespace cw::store {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes the code page leaves undefined keep their own
// value as a character (U+0081, U+008D, U+008F, U+0090, U+009D), so they survive a round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char32_t ansiCharacter(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : byte;
}

// The byte of a character in Windows-1252, or -1 when the code page cannot hold it.
int ansiByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at `pos`; an invalid or cut-short sequence yields one byte as an
// unknown character (-1).
std::int32_t decodeUtf8(std::string_view text, std::size_t& pos) {
  auto lead = static_cast<unsigned char>(text[pos]);
  int length = lead < 0x80           ? 1
               : (lead >> 5) == 0x6  ? 2
               : (lead >> 4) == 0xE  ? 3
               : (lead >> 3) == 0x1E ? 4
                                     : 0;
  if (length == 0 || pos + length > text.size()) {
    ++pos;
    return -1;
  }
  std::int32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return -1;
    }
    c = (c << 6) | (next & 0x3F);
  }
  pos += length;
  static constexpr std::int32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return -1;
  return c;
}

bool isAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string utf8ToAnsi(std::string_view utf8) {
  std::string out;
  appendAsAnsi(out, utf8);
  return out;
}

void appendAsAnsi(std::string& out, std::string_view utf8) {
  if (isAscii(utf8)) {
    out.append(utf8);
    return;
  }
  for (std::size_t pos = 0; pos < utf8.size();) {
    std::int32_t c = decodeUtf8(utf8, pos);
    int byte = c < 0 ? -1 : ansiByte(static_cast<char32_t>(c));
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
}

std::string ansiToUtf8(std::string_view ansi) {
  if (isAscii(ansi)) return std::string(ansi);
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 2);
  for (char c : ansi) appendUtf8(out, ansiCharacter(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace cw::store

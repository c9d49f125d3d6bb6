#pragma once

#include <windows.h>

#include <string_view>

#include "command/corbelwick_bookmarks.h"

namespace cw::com {

// A GUID from its registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", at compile time: the
// module's identities are spelt once, beside the command.
consteval GUID guidOf(std::string_view text) {
  auto hexDigit = [](char c) -> unsigned {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    throw "a GUID holds hexadecimal digits only";
  };
  if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' || text[14] != '-' ||
      text[19] != '-' || text[24] != '-') {
    throw "a GUID is spelt {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  }
  auto field = [&](std::size_t from, std::size_t digits) {
    unsigned long value = 0;
    for (std::size_t i = 0; i < digits; ++i) value = value * 16 + hexDigit(text[from + i]);
    return value;
  };
  GUID guid{};
  guid.Data1 = field(1, 8);
  guid.Data2 = static_cast<unsigned short>(field(10, 4));
  guid.Data3 = static_cast<unsigned short>(field(15, 4));
  constexpr std::size_t kTail[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (std::size_t i = 0; i < 8; ++i)
    guid.Data4[i] = static_cast<unsigned char>(field(kTail[i], 2));
  return guid;
}

inline constexpr GUID kTypeLibraryGuid = guidOf(com_identity::kTypeLibraryId);
inline constexpr CLSID kClsidCorbelwickBookmarks = guidOf(com_identity::kClassId);
inline constexpr IID kIidDefaultInterface = guidOf(com_identity::kDefaultInterfaceId);

}  // namespace cw::com

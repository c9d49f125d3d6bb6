#include "convert/xml_escape.h"

#include <array>
#include <cstring>

namespace cw::convert {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// What stands for each ASCII character where it needs standing in for; empty where it is
// written as it is. Character references are written as pugixml wrote them, so files stay the
// same.
using Escapes = std::array<std::string_view, 128>;

constexpr Escapes escapesIn(XmlValueIn where) {
  Escapes escapes{};
  for (int c = 0; c < 0x20; ++c) escapes[c] = kReplacement;
  escapes['&'] = "&amp;";
  escapes['<'] = "&lt;";
  escapes['\r'] = "&#13;";
  if (where == XmlValueIn::kText) {
    escapes['>'] = "&gt;";
    escapes['\t'] = {};
    escapes['\n'] = {};
  } else {
    escapes['"'] = "&quot;";
    escapes['\t'] = "&#09;";
    escapes['\n'] = "&#10;";
  }
  return escapes;
}

constexpr Escapes kTextEscapes = escapesIn(XmlValueIn::kText);
constexpr Escapes kAttributeEscapes = escapesIn(XmlValueIn::kAttribute);

}  // namespace

char* escapeXml(char* out, std::string_view value, XmlValueIn where, bool& replaced) {
  const Escapes& escapes = where == XmlValueIn::kText ? kTextEscapes : kAttributeEscapes;
  std::size_t plain = 0;  // where the characters not yet written begin
  for (std::size_t i = 0; i < value.size(); ++i) {
    const auto code = static_cast<unsigned char>(value[i]);
    if (code >= escapes.size() || escapes[code].empty()) continue;
    std::memcpy(out, value.data() + plain, i - plain);
    out += i - plain;
    const std::string_view escape = escapes[code];
    std::memcpy(out, escape.data(), escape.size());
    out += escape.size();
    replaced |= escape.data() == kReplacement.data();
    plain = i + 1;
  }
  std::memcpy(out, value.data() + plain, value.size() - plain);
  return out + (value.size() - plain);
}

}  // namespace cw::convert

#include "convert/xml_escape.h"

#include <array>

namespace cw::convert {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// What stands for each ASCII character where it needs standing in for; null where it is written
// as it is. Character references are written as pugixml wrote them, so files stay the same.
using Escapes = std::array<const char*, 128>;

constexpr Escapes escapesIn(XmlValueIn where) {
  Escapes escapes{};
  for (int c = 0; c < 0x20; ++c) escapes[c] = kReplacement;
  escapes['&'] = "&amp;";
  escapes['<'] = "&lt;";
  escapes['>'] = "&gt;";
  escapes['\r'] = "&#13;";
  if (where == XmlValueIn::kText) {
    escapes['\t'] = nullptr;
    escapes['\n'] = nullptr;
  } else {
    escapes['>'] = nullptr;  // only "]]>" in a text needs it
    escapes['"'] = "&quot;";
    escapes['\t'] = "&#09;";
    escapes['\n'] = "&#10;";
  }
  return escapes;
}

constexpr Escapes kTextEscapes = escapesIn(XmlValueIn::kText);
constexpr Escapes kAttributeEscapes = escapesIn(XmlValueIn::kAttribute);

}  // namespace

bool appendXmlEscaped(std::string& out, std::string_view value, XmlValueIn where) {
  const Escapes& escapes = where == XmlValueIn::kText ? kTextEscapes : kAttributeEscapes;
  bool replaced = false;
  std::size_t plain = 0;  // where the characters not yet appended begin
  for (std::size_t i = 0; i < value.size(); ++i) {
    const auto code = static_cast<unsigned char>(value[i]);
    const char* escape = code < escapes.size() ? escapes[code] : nullptr;
    if (!escape) continue;
    out.append(value.data() + plain, i - plain);
    out += escape;
    replaced |= escape == kReplacement;
    plain = i + 1;
  }
  out.append(value.data() + plain, value.size() - plain);
  return replaced;
}

}  // namespace cw::convert

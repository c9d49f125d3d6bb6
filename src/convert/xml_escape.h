#pragma once

#include <cstddef>
#include <string_view>

// The one way a value of ours becomes XML text: every text and attribute value the converter
// writes goes through escapeXml.
namespace cw::convert {

// Where a value stands: the text of an element, or an attribute value in double quotes.
enum class XmlValueIn { kText, kAttribute };

// The most an escaped value can take per character of the value ("&quot;").
constexpr std::size_t kMostEscapedPerCharacter = 6;

// Writes `value` at `out` as XML holds it, so that a parser gives back exactly `value`: & and <
// as entities, and > in a text; in an attribute also " and tab and the line ends, which a parser
// would turn into blanks; in a text CR, which a parser would turn into LF. Control characters XML
// 1.0 cannot hold at all are replaced by U+FFFD. `out` has room for kMostEscapedPerCharacter
// times the value's size. Returns the end of what was written; `replaced` tells whether any
// character was replaced.
char* escapeXml(char* out, std::string_view value, XmlValueIn where, bool& replaced);

}  // namespace cw::convert

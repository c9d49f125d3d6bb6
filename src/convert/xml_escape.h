#pragma once

#include <string>
#include <string_view>

// The one way a value of ours becomes XML text: every text and attribute value the converter
// writes goes through appendXmlEscaped.
namespace cw::convert {

// Where a value stands: the text of an element, or an attribute value in double quotes.
enum class XmlValueIn { kText, kAttribute };

// Appends `value` as XML holds it, so that a parser gives back exactly `value`: & and < as
// entities, and > in a text; in an attribute also " and tab and the line ends, which a parser
// would turn into blanks; in a text CR, which a parser would turn into LF. Control characters XML 1.0 cannot
// hold at all are replaced by U+FFFD. Returns whether any was replaced.
bool appendXmlEscaped(std::string& out, std::string_view value, XmlValueIn where);

}  // namespace cw::convert

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cw::convert {

// The shortest text that reads back as exactly this value ("." as separator, whatever the
// locale), so text formats carry a list's numbers unchanged.
std::string exactText(double value);
// The same into `buffer`, ended by a null, for writers of many numbers.
struct ExactText {
  char text[400];
};
const char* exactText(double value, ExactText& buffer);
// A whole text as a finite number (blanks around it allowed); none for anything else.
std::optional<double> parseFinite(std::string_view text);

}  // namespace cw::convert

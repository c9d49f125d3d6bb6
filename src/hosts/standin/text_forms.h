#pragma once

// The forms numbers and names take in the call log.

#include <string>
#include <string_view>

namespace cw::standin {

// A number in its shortest exact form ("-122.5", "37.25", "0" for -0), as call lines show it.
std::string shortestText(double value);
// A name in double quotes, an inner quote as \".
std::string quotedName(std::string_view name);

}  // namespace cw::standin

#pragma once

#include <string>
#include <string_view>

namespace cw::platform::win32 {

// UTF-8, the text of the system in memory, to and from the UTF-16 of the wide-character calls.
// Bytes that are no UTF-8 become U+FFFD, as the platform converts them.
std::wstring toWide(std::string_view utf8);
std::string fromWide(std::wstring_view wide);

}  // namespace cw::platform::win32

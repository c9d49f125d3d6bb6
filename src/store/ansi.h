#pragma once

#include <string>
#include <string_view>

namespace cw::store {

// Text is UTF-8 in memory and Windows-1252 on disk. A character that code page cannot hold is
// written as "?", as the platform's conversion does.
std::string utf8ToAnsi(std::string_view utf8);
std::string ansiToUtf8(std::string_view ansi);
// utf8ToAnsi(utf8) appended to `out`.
void appendAsAnsi(std::string& out, std::string_view utf8);
// The text as it will read back after a trip to disk.
inline std::string ansiRoundTrip(std::string_view utf8) {
  return ansiToUtf8(utf8ToAnsi(utf8));
}

}  // namespace cw::store

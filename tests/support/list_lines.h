#pragma once

// Lines of a bookmark list, for building small list files inline in tests:
//
//   std::string list = header() + group("Parks") + bookmark("Parks", "Riverside") +
//                      removeBookmark("Parks", "Riverside");

#include <string>
#include <string_view>

namespace cw::testing {

inline std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// The header record: ten format tags.
inline std::string header() {
  std::string line = quoted("Bookmarks_v2.0");
  for (int i = 1; i < 10; ++i) line += "," + quoted("Bookmarks_v2.0");
  return line + "\r\n";
}

inline std::string group(std::string_view name) {
  std::string line = quoted(name);
  for (int i = 1; i < 10; ++i) line += "," + quoted("ud2s88oew");
  return line + "\r\n";
}

// A bookmark record; `extent` is the four numbers as written.
inline std::string bookmark(std::string_view group, std::string_view name,
                            std::string_view extent = "1,2,3,4") {
  return quoted(group) + "," + quoted(name) + "," + std::string(extent) + ",,,,\r\n";
}

// A removal record that withdraws a whole group.
inline std::string removeGroup(std::string_view group) {
  return quoted(group) + ",\"ao74idqp3\",,,,,,,,\r\n";
}

// A removal record that withdraws one bookmark of a group.
inline std::string removeBookmark(std::string_view group, std::string_view name) {
  return quoted(group) + "," + quoted(name) + ",\"ao74idqp3\",,,,,,,\r\n";
}

}  // namespace cw::testing

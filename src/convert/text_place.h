#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cw::convert {

// "line N" of a byte offset into a text, for messages about structured files.
inline std::string lineAt(std::string_view text, std::size_t offset) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) line += text[i] == '\n';
  return "line " + std::to_string(line);
}

}  // namespace cw::convert

#include "hosts/standin/text_forms.h"

#include <charconv>

namespace cw::standin {

std::string shortestText(double value) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string quotedName(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

}  // namespace cw::standin

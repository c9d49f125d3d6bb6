#include "convert/numbers.h"

#include <charconv>
#include <cmath>

namespace cw::convert {

std::string exactText(double value) {
  if (value == 0) return "0";  // also -0
  // Plain decimals where they stay short, as map coordinates are; an exponent otherwise.
  const double magnitude = std::fabs(value);
  const bool plain = magnitude >= 1e-5 && magnitude < 1e16;
  char buffer[400];
  auto result = plain
                    ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
                    : std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::optional<double> parseFinite(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace cw::convert

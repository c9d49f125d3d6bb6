#include "convert/numbers.h"

#include <charconv>
#include <cmath>

#include "store/list_format.h"

namespace cw::convert {

const char* exactText(double value, ExactText& buffer) {
  char* const first = buffer.text;
  char* const last = buffer.text + sizeof buffer.text - 1;
  if (value == 0) {  // also -0
    first[0] = '0';
    first[1] = 0;
    return first;
  }
  // Plain decimals where they stay short, as map coordinates are; an exponent otherwise.
  const double magnitude = std::fabs(value);
  if (magnitude >= 1e-5 && magnitude < 1e9) {
    if (char* end = store::formatShortDecimal(first, value)) {
      *end = 0;
      return first;
    }
  }
  const bool plain = magnitude >= 1e-5 && magnitude < 1e16;
  auto result = plain ? std::to_chars(first, last, value, std::chars_format::fixed)
                      : std::to_chars(first, last, value);
  *result.ptr = 0;
  return first;
}

std::string exactText(double value) {
  ExactText buffer;
  return exactText(value, buffer);
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

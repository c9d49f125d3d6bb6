#include "convert/numbers.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>

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

namespace {

// A plain decimal ("-123.456") of at most 19 digits that make an integer below 2^53: the integer
// and the power of ten are exact doubles, so one division rounds as from_chars does. Most
// coordinates are such; none where the text is anything else.
std::optional<double> plainDecimal(std::string_view text) {
  constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                     1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
  constexpr std::uint64_t kExactIntegers = std::uint64_t{1} << 53;
  const char* at = text.data();
  const char* const end = at + text.size();
  const bool negative = at != end && *at == '-';
  at += negative;
  const auto digitsFrom = [&](std::uint64_t digits) {
    for (; at != end && *at >= '0' && *at <= '9'; ++at) {
      digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
    }
    return digits;
  };
  const char* const whole = at;
  std::uint64_t digits = digitsFrom(0);
  const auto wholeCount = static_cast<std::size_t>(at - whole);
  std::size_t places = 0;
  if (at != end && *at == '.') {
    const char* const fraction = ++at;
    digits = digitsFrom(digits);
    places = static_cast<std::size_t>(at - fraction);
    if (!places) return std::nullopt;
  }
  // Up to 19 digits the integer cannot have overflowed.
  if (at != end || !wholeCount || wholeCount + places > 19 || digits >= kExactIntegers) {
    return std::nullopt;
  }
  const double value = static_cast<double>(digits) / kPowersOfTen[places];
  return negative ? -value : value;
}

}  // namespace

std::optional<double> parseFinite(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  if (auto plain = plainDecimal(text)) return plain;
  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace cw::convert

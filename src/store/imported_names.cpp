#include "store/imported_names.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "store/ansi.h"

namespace cw::store {

namespace {

constexpr std::string_view kImportGroupBase = "ArcMapBookmarks";
constexpr std::string_view kClosingQuote = "\xE2\x80\x9D";  // U+201D

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The text with every occurrence of `part` taken out, left to right, in one pass.
std::string withoutEvery(std::string_view text, std::string_view part) {
  if (part.empty()) return std::string(text);
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, from)) {
    out.append(text.substr(from, at - from));
    from = at + part.size();
  }
  out.append(text.substr(from));
  return out;
}

// A value with at most 15 significant digits in plain decimal notation: "." as separator
// whatever the locale, no exponent, no trailing zeros.
std::string shortestDecimal(double value) {
  if (value == 0) return "0";
  int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  int decimals = std::clamp(14 - exponent, 0, 400);
  char buffer[800];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

}  // namespace

std::string ImportedBookmarkName(std::string_view hostName) {
  std::string stored;
  stored.reserve(hostName.size());
  for (char c : hostName) {
    if (c == '"') {
      stored += kClosingQuote;
    } else {
      stored += c;
    }
  }
  return ansiRoundTrip(stored);
}

bool ParsePlainDecimal(std::string_view text, double& value) {
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  std::size_t integral = 0;
  while (integral < digits.size() && isDigit(digits[integral])) ++integral;
  if (integral == 0) return false;
  if (integral < digits.size()) {
    if (digits[integral] != '.' || integral + 1 == digits.size()) return false;
    if (!std::all_of(digits.begin() + integral + 1, digits.end(), isDigit)) return false;
  }
  // from_chars takes no "+"; a "-" stays part of the number.
  std::string_view number = text.front() == '+' ? text.substr(1) : text;
  double parsed = 0;
  auto result = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (result.ec != std::errc() || result.ptr != number.data() + number.size()) return false;
  if (!std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

std::string ImportGroupName(const std::vector<std::string>& groups) {
  return ImportGroupName(groups, kImportGroupBase);
}

std::string ImportGroupName(const std::vector<std::string>& groups, std::string_view base) {
  std::string name(base);
  int count = 1;
  std::string remainder;
  for (const std::string& group : groups) {
    if (std::string_view(group).substr(0, base.size()) == base) {
      ++count;
      remainder = withoutEvery(group, base);
    }
  }
  if (count != 1) name += std::to_string(count);
  double number = 0;
  if (ParsePlainDecimal(remainder, number)) name += shortestDecimal(number + 1);
  return name;
}

}  // namespace cw::store

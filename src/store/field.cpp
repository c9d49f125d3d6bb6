#include "store/field.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "base/failure.h"
#include "store/list_format.h"

namespace cw::store {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Significant digits and decimal exponent of a value in scientific notation ("1.25e-07" ->
// "125", -7), trailing zeros dropped.
struct Decimal {
  char digits[24];
  int count = 0;
  int exponent = 0;
};

Decimal toDecimal(double magnitude, int precision) {
  char buffer[64];
  auto result = precision < 0 ? std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                              std::chars_format::scientific)
                              : std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                              std::chars_format::scientific, precision);
  Decimal decimal;
  const char* p = buffer;
  for (; p < result.ptr && *p != 'e'; ++p) {
    if (isDigit(*p) && decimal.count < static_cast<int>(sizeof decimal.digits)) {
      decimal.digits[decimal.count++] = *p;
    }
  }
  if (p < result.ptr) ++p;  // 'e'
  if (p < result.ptr && *p == '+') ++p;
  std::from_chars(p, result.ptr, decimal.exponent);
  while (decimal.count > 1 && decimal.digits[decimal.count - 1] == '0') --decimal.count;
  return decimal;
}

// The decimal place of the first significant digit of an unsigned numeric text: positive for
// values of 1 and above, so it tells which way a number left the range of a double.
std::int64_t decimalPlace(std::string_view text) {
  std::int64_t integerDigits = 0;
  std::int64_t leadingZeros = 0;  // zeros before the first significant digit, fraction included
  bool significant = false;
  bool inFraction = false;
  std::size_t i = 0;
  for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
    if (text[i] == '.') {
      inFraction = true;
      continue;
    }
    if (!inFraction) ++integerDigits;
    if (!significant && text[i] == '0') {
      ++leadingZeros;
    } else {
      significant = true;
    }
  }
  std::int64_t exponent = 0;
  if (i < text.size()) {  // E or e, an optional sign and digits
    bool negative = ++i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    for (; i < text.size() && exponent < 1000000; ++i) exponent = exponent * 10 + (text[i] - '0');
    if (negative) exponent = -exponent;
  }
  return exponent + integerDigits - leadingZeros;
}

}  // namespace

// Below 1E+09 an ulp is far smaller than a ten-thousandth, so at each number of places at most
// one decimal gives the value back, and the product rounded to an integer finds it: the first
// number of places that does gives the shortest text of the value.
char* formatShortDecimal(char* out, double value) {
  constexpr double kScales[] = {1, 10, 100, 1000, 10000};
  const double magnitude = std::fabs(value);
  if (!(magnitude < 1e9)) return nullptr;  // NaN too
  for (int places = 0; places < 5; ++places) {
    // Below 1E+13 the product plus a half is exact, so the conversion rounds it to the nearest
    // integer (std::nearbyint would be a library call).
    auto units = static_cast<std::uint64_t>(magnitude * kScales[places] + 0.5);
    if (static_cast<double>(units) / kScales[places] != magnitude) continue;
    char digits[24];
    int count = 0;
    do {
      digits[count++] = static_cast<char>('0' + units % 10);
      units /= 10;
    } while (units);
    while (count <= places) digits[count++] = '0';  // 0.05: the integer part's zero
    char* end = out;
    if (value < 0) *end++ = '-';
    for (int i = count - 1; i >= 0; --i) {
      *end++ = digits[i];
      if (i == places && places) *end++ = '.';
    }
    return end;
  }
  return nullptr;
}

char* formatNumberInto(char* out, double value) {
  if (std::isnan(value)) {
    throw Failure(err::kInvalidProcedureCall,
                  "Invalid procedure call or argument: a number field cannot hold NaN");
  }
  if (std::isinf(value))
    throw Failure(err::kOverflow,
                  "Overflow: a number field cannot hold "
                  "an infinite value");
  char* end = out;
  if (value == 0) {  // -0 as well
    *end++ = '0';
    return end;
  }

  constexpr int kSignificantDigits = 15;
  const double magnitude = std::fabs(value);
  if (magnitude < 1e9) {
    if (char* shortDecimal = formatShortDecimal(out, value)) return shortDecimal;
  }
  if (magnitude >= 1e-5 && magnitude < 1e15) {
    // Where the plain shortest text has at most 15 significant digits it is the written form
    // (below 1E+15 every integer is exact, so it has no more digits than the scientific one):
    // the usual map coordinate takes this way, the rest the general one below.
    auto plain = std::to_chars(out, out + kLongestNumber, value, std::chars_format::fixed);
    int significant = 0;
    bool leading = true;
    for (const char* p = out; p < plain.ptr; ++p) {
      if (!isDigit(*p) || (leading && *p == '0')) continue;
      leading = false;
      ++significant;
    }
    if (plain.ec == std::errc() && significant <= kSignificantDigits) return plain.ptr;
  }
  Decimal decimal = toDecimal(magnitude, -1);
  if (decimal.count > kSignificantDigits) {
    decimal = toDecimal(magnitude, kSignificantDigits - 1);
  }
  const char* digits = decimal.digits;
  const int count = decimal.count;
  const int exponent = decimal.exponent;

  auto put = [&end](const char* from, int n) {
    std::memcpy(end, from, static_cast<std::size_t>(n));
    end += n;
  };
  auto zeros = [&end](int n) {
    std::memset(end, '0', static_cast<std::size_t>(n));
    end += n;
  };
  if (value < 0) *end++ = '-';
  if (exponent >= kSignificantDigits || exponent < -6) {
    // 1.5E+20, 1E-07: too large or too small for plain notation.
    *end++ = digits[0];
    if (count > 1) {
      *end++ = '.';
      put(digits + 1, count - 1);
    }
    *end++ = 'E';
    *end++ = exponent < 0 ? '-' : '+';
    const int power = exponent < 0 ? -exponent : exponent;
    if (power < 10) *end++ = '0';
    end = std::to_chars(end, out + kLongestNumber, power).ptr;
  } else if (exponent < 0) {
    put("0.", 2);
    zeros(-exponent - 1);
    put(digits, count);
  } else if (count <= exponent + 1) {
    put(digits, count);
    zeros(exponent + 1 - count);
  } else {
    put(digits, exponent + 1);
    *end++ = '.';
    put(digits + exponent + 1, count - exponent - 1);
  }
  return end;
}

std::string formatNumber(double value) {
  char out[kLongestNumber];
  return std::string(out, formatNumberInto(out, value));
}

bool isWrittenNumberForm(std::string_view text) {
  // A plain decimal of at most 15 significant digits, without a leading "+", superfluous zeros
  // or an exponent, whose first significant digit stands between the places that formatNumber
  // writes in plain notation (1E+14 down to 1E-06). Such a decimal is the shortest text of the
  // double nearest to it, so formatNumber gives it back unchanged.
  constexpr std::size_t kSignificantDigits = 15;
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  std::size_t integerDigits = 0;
  while (integerDigits < text.size() && isDigit(text[integerDigits])) ++integerDigits;
  if (integerDigits == 0) return false;
  std::string_view integer = text.substr(0, integerDigits);
  std::string_view fraction;
  if (integerDigits < text.size()) {
    if (text[integerDigits] != '.') return false;
    fraction = text.substr(integerDigits + 1);
    if (fraction.empty() || fraction.back() == '0') return false;
    for (char c : fraction) {
      if (!isDigit(c)) return false;
    }
  }
  if (integer.size() > 1 && integer.front() == '0') return false;
  if (integer == "0") {
    if (fraction.empty()) return !negative;  // "-0" is written as "0"
    std::size_t zeros = fraction.find_first_not_of('0');
    return zeros <= 5 && fraction.size() - zeros <= kSignificantDigits;
  }
  if (integer.size() > kSignificantDigits) return false;
  std::size_t significant = integer.size() + fraction.size();
  if (fraction.empty()) significant = integer.find_last_not_of('0') + 1;
  return significant <= kSignificantDigits;
}

bool parseNumber(std::string_view text, double& value) {
  // [sign] (digits [. [digits]] | . digits) [(E|e) [sign] digits]; from_chars takes the same
  // forms once the sign is off, apart from "inf" and "nan", which cannot begin with a digit or
  // a point.
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || !(isDigit(text[0]) || text[0] == '.')) return false;
  const char* last = text.data() + text.size();
  double parsed = 0;
  auto result = std::from_chars(text.data(), last, parsed, std::chars_format::general);
  if (result.ptr != last || result.ec == std::errc::invalid_argument) return false;
  if (result.ec == std::errc::result_out_of_range) {
    if (decimalPlace(text) > 0) {
      throw Failure(err::kOverflow, "Overflow: " + std::string(negative ? "-" : "") +
                                        std::string(text) + " is too large a number");
    }
    parsed = 0;  // too small to tell from zero
  }
  value = negative ? -parsed : parsed;
  return true;
}

std::string Field::asText() const {
  switch (kind_) {
    case Kind::kText:
      return text_;
    case Kind::kNumber:
      return formatNumber(number_);
    case Kind::kEmpty:
      break;
  }
  return {};
}

double Field::asNumber() const {
  switch (kind_) {
    case Kind::kNumber:
      return number_;
    case Kind::kText: {
      double value = 0;
      if (parseNumber(trimBlanks(text_), value)) return value;
      throw Failure(err::kTypeMismatch, "Type mismatch: \"" + text_ + "\" is not a number");
    }
    case Kind::kEmpty:
      break;
  }
  return 0;
}

bool Field::equals(std::string_view value) const {
  switch (kind_) {
    case Kind::kText:
      return text_ == value;
    case Kind::kEmpty:
      return value.empty();
    case Kind::kNumber:
      break;
  }
  return false;
}

bool Field::operator==(const Field& other) const {
  if (kind_ != other.kind_) return false;
  if (kind_ == Kind::kText) return text_ == other.text_;
  if (kind_ == Kind::kNumber) return number_ == other.number_;
  return true;
}

}  // namespace cw::store

#include "convert/numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <random>
#include <string>

namespace cw::convert {
namespace {

// What std::from_chars makes of a whole text, the reference parseFinite's own reading of plain
// decimals must agree with bit for bit.
double reference(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

TEST(convert_NumbersTest, ParsesAsFromCharsDoes) {
  const struct Case {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"0", 0.0},
      {"-0", -0.0},
      {" 12.5\t", 12.5},
      {"+3", 3.0},
      {"0.1", 0.1},
      {"400000.5", 400000.5},
      {"-122.25", -122.25},
      {"9007199254740991", 9007199254740991.0},  // the largest integer of the exact ones
      {"9007199254740993", 9007199254740992.0},  // rounds, as from_chars does
      {"0.0000000000000000000001", 1e-22},
      {"1e3", 1000.0},
      {"1.", 1.0},
      {".5", 0.5},
      {"", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"1..2", std::nullopt},
      {"1.2.3", std::nullopt},
      {"12a", std::nullopt},
      {"NaN", std::nullopt},
      {"inf", std::nullopt},
      {"1e400", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<double> value = parseFinite(c.text);
    ASSERT_EQ(value.has_value(), c.value.has_value()) << c.text;
    if (!value) continue;
    EXPECT_EQ(*value, *c.value) << c.text;
    EXPECT_EQ(std::signbit(*value), std::signbit(*c.value)) << c.text;
  }
}

TEST(convert_NumbersTest, DecimalsOfEveryLengthReadAsFromChars) {
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 200000; ++i) {
    // Up to 19 digits with the point anywhere among them, signs both ways.
    const int length = 1 + static_cast<int>(random() % 19);
    std::string text = random() % 2 ? "-" : "";
    for (int d = 0; d < length; ++d) text += static_cast<char>('0' + random() % 10);
    const int point = static_cast<int>(random() % static_cast<unsigned>(length + 1));
    if (point > 0 && point < length)
      text.insert(text.size() - static_cast<std::size_t>(point), ".");
    const std::optional<double> value = parseFinite(text);
    ASSERT_TRUE(value) << text;
    ASSERT_EQ(*value, reference(text)) << text;
  }
}

}  // namespace
}  // namespace cw::convert

#include "store/field.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/failure.h"
#include "support/failure_number.h"

namespace cw::store {
namespace {

using cw::testing::failureNumber;

TEST(FieldTest, ComparesWithTextExactlyAndNeverMatchesANumber) {
  EXPECT_TRUE(Field::text("Parks").equals("Parks"));
  EXPECT_FALSE(Field::text("Parks").equals("parks"));
  EXPECT_FALSE(Field::text("Parks ").equals("Parks"));
  EXPECT_TRUE(Field().equals(""));
  EXPECT_FALSE(Field().equals("x"));
  EXPECT_TRUE(Field::text("").equals(""));
  EXPECT_FALSE(Field::number(5).equals("5"));
  EXPECT_FALSE(Field::number(0).equals(""));
  // Kinds stay apart when records are compared whole.
  EXPECT_FALSE(Field() == Field::text(""));
  EXPECT_FALSE(Field::number(7) == Field::text("7"));
  EXPECT_TRUE(Field::number(-0.0) == Field::number(0));
}

TEST(FieldTest, ConvertsToNumbersAndText) {
  EXPECT_EQ(Field::number(-122.5).asNumber(), -122.5);
  EXPECT_EQ(Field().asNumber(), 0);
  EXPECT_EQ(Field::text("12.5").asNumber(), 12.5);
  EXPECT_EQ(Field::text(" 7 ").asNumber(), 7);
  EXPECT_EQ(Field::text("1E+20").asNumber(), 1e20);
  EXPECT_EQ(failureNumber([] { Field::text("Parks").asNumber(); }), err::kTypeMismatch);
  EXPECT_EQ(failureNumber([] { Field::text("").asNumber(); }), err::kTypeMismatch);
  EXPECT_EQ(failureNumber([] { Field::text("1e999").asNumber(); }), err::kOverflow);
  EXPECT_EQ(Field::number(-122.5).asText(), "-122.5");
  EXPECT_EQ(Field::number(1e20).asText(), "1E+20");
  EXPECT_EQ(Field().asText(), "");
  EXPECT_EQ(Field::text("Riverside").asText(), "Riverside");
}

}  // namespace
}  // namespace cw::store

#include "store/imported_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cw::store {
namespace {

struct NameCase {
  const char* hostName;
  const char* stored;
};

// Quotes cannot stand in a text field; path characters are escaped by the side-file names, so
// the name keeps them; characters the ANSI code page lacks read back as "?".
TEST(ImportedBookmarkNameTest, StoresWhatTheListCanHoldAndReadBack) {
  const NameCase cases[] = {
      {"Riverside", "Riverside"},
      {"Main \"North\" view", "Main \xE2\x80\x9DNorth\xE2\x80\x9D view"},
      {"\"", "\xE2\x80\x9D"},
      {"a\\b", "a\\b"},
      {"a/b", "a/b"},
      {"C:drive", "C:drive"},
      {"..", ".."},
      {"../../outside", "../../outside"},
      {"one, two", "one, two"},
      {"  padded  ", "  padded  "},
      {"Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9 \xE2\x82\xAC"},  // both in the code page
      {"\xE2\x80\x9C"
       "already typographic\xE2\x80\x9D",
       "\xE2\x80\x9C"
       "already typographic\xE2\x80\x9D"},
      {"\xE6\x97\xA5\xE6\x9C\xAC", "??"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ImportedBookmarkName(c.hostName), c.stored) << "host name: " << c.hostName;
  }
}

TEST(ImportedBookmarkNameTest, StoredNameNeverHoldsAQuote) {
  for (const char* name : {"\"\"\"", "x\"", "\"x", "a\"b\"c"}) {
    EXPECT_EQ(ImportedBookmarkName(name).find('"'), std::string::npos) << name;
  }
}

struct GroupCase {
  std::vector<std::string> groups;  // in the group list's shown order
  const char* next;
};

TEST(ImportGroupNameTest, CountsEarlierImportsAndAppendsTheLastNumberPlusOne) {
  const GroupCase cases[] = {
      {{}, "ArcMapBookmarks"},
      {{"Parks", "Roads"}, "ArcMapBookmarks"},
      {{"ArcMapBookmarks"}, "ArcMapBookmarks2"},
      {{"ArcMapBookmarks", "ArcMapBookmarks2"}, "ArcMapBookmarks33"},
      {{"ArcMapBookmarks", "ArcMapBookmarks2", "ArcMapBookmarks33"}, "ArcMapBookmarks434"},
      // A user group starting with the base counts; its remainder is no number.
      {{"ArcMapBookmarks Parks"}, "ArcMapBookmarks2"},
      {{"ArcMapBookmarks", "ArcMapBookmarks Parks"}, "ArcMapBookmarks3"},
      // The remainder comes from the last matching entry.
      {{"ArcMapBookmarks7", "Parks"}, "ArcMapBookmarks28"},
      {{"ArcMapBookmarks7", "ArcMapBookmarksX"}, "ArcMapBookmarks3"},
      // Exact, case-sensitive prefix only.
      {{"arcmapbookmarks", "ARCMAPBOOKMARKS2"}, "ArcMapBookmarks"},
      {{"MyArcMapBookmarks4"}, "ArcMapBookmarks"},
      {{"ArcMapBookmark"}, "ArcMapBookmarks"},
      // Every occurrence of the base is taken out of the remainder.
      {{"ArcMapBookmarksArcMapBookmarks4"}, "ArcMapBookmarks25"},
      {{"ArcMapBookmarks4ArcMapBookmarks"}, "ArcMapBookmarks25"},
      // Signs and fractions; "." separates whatever the locale.
      {{"ArcMapBookmarks-1"}, "ArcMapBookmarks20"},
      {{"ArcMapBookmarks+7"}, "ArcMapBookmarks28"},
      {{"ArcMapBookmarks2.5"}, "ArcMapBookmarks23.5"},
      {{"ArcMapBookmarks0.1"}, "ArcMapBookmarks21.1"},
      {{"ArcMapBookmarks-0.5"}, "ArcMapBookmarks20.5"},
      {{"ArcMapBookmarks2.50"}, "ArcMapBookmarks23.5"},
      {{"ArcMapBookmarks007"}, "ArcMapBookmarks28"},
      // No exponent form, neither read nor written.
      {{"ArcMapBookmarks1e3"}, "ArcMapBookmarks2"},
      {{"ArcMapBookmarks99999999999999999999"}, "ArcMapBookmarks2100000000000000000000"},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const auto& g : c.groups) shown += "[" + g + "]";
    EXPECT_EQ(ImportGroupName(c.groups), c.next) << "groups: " << shown;
  }
}

TEST(ParsePlainDecimalTest, AcceptsOnlySignedDecimalsWithOptionalFraction) {
  struct Case {
    const char* text;
    bool number;
    double value;
  };
  const Case cases[] = {
      {"2", true, 2},     {"33", true, 33},       {"-1", true, -1},     {"+3", true, 3},
      {"2.5", true, 2.5}, {"-0.25", true, -0.25}, {"", false, 0},       {"+", false, 0},
      {"-", false, 0},    {".5", false, 0},       {"1.", false, 0},     {"1e3", false, 0},
      {"1E3", false, 0},  {" 5", false, 0},       {"5 ", false, 0},     {"1,5", false, 0},
      {"0x10", false, 0}, {"inf", false, 0},      {"nan", false, 0},    {"1.2.3", false, 0},
      {"--1", false, 0},  {"+-1", false, 0},      {" Parks", false, 0},
  };
  for (const auto& c : cases) {
    double value = -999;
    EXPECT_EQ(ParsePlainDecimal(c.text, value), c.number) << "text: [" << c.text << "]";
    if (c.number) {
      EXPECT_DOUBLE_EQ(value, c.value) << "text: [" << c.text << "]";
    }
  }
}

TEST(ParsePlainDecimalTest, RefusesDigitsBeyondTheRangeOfANumber) {
  double value = 0;
  EXPECT_FALSE(ParsePlainDecimal(std::string(400, '9'), value));
}

}  // namespace
}  // namespace cw::store

#include "store/ansi.h"

#include <gtest/gtest.h>

#include <string>

namespace cw::store {
namespace {

TEST(AnsiTest, EveryByteOfTheCodePageSurvivesARoundTrip) {
  for (int byte = 0; byte < 256; ++byte) {
    std::string ansi(1, static_cast<char>(byte));
    std::string utf8 = ansiToUtf8(ansi);
    EXPECT_EQ(utf8ToAnsi(utf8), ansi) << "byte " << byte;
    EXPECT_EQ(ansiToUtf8(utf8ToAnsi(utf8)), utf8) << "byte " << byte;
  }
}

struct AnsiCase {
  const char* utf8;
  const char* ansi;
};

TEST(AnsiTest, MapsCharactersToWindows1252) {
  const AnsiCase cases[] = {
      {"Riverside", "Riverside"},
      {"Caf\xC3\xA9", "Caf\xE9"},
      {"\xE2\x82\xAC", "\x80"},                                              // euro sign
      {"\xE2\x80\x9Cq\xE2\x80\x9D", "\x93q\x94"},                            // typographic quotes
      {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x81\x8D\x8F\x90\x9D"},  // undefined bytes
      {"\xC2\x80", "?"},                   // a control character the code page lacks
      {"\xE6\x97\xA5\xE6\x9C\xAC", "??"},  // one "?" per character
      {"\xF0\x9F\x98\x80!", "?!"},
      {"bad \xFF byte \xC3", "bad ? byte ?"},  // not UTF-8 at all
      {"\xC0\xAF", "?"},                       // an overlong form is no character
  };
  for (const auto& c : cases) EXPECT_EQ(utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
  EXPECT_EQ(ansiRoundTrip("\xE6\x97\xA5 x"), "? x");
}

}  // namespace
}  // namespace cw::store

#include "platform/windows_path.h"

#include <gtest/gtest.h>

#include <string>

namespace cw::platform {
namespace {

TEST(WindowsPathTest, ParsingGivesOneSpelling) {
  struct Case {
    const char* text;
    const char* spelt;
    char drive;
    bool rooted;
  } cases[] = {
      {"C:\\Lists\\a.bmk", "C:\\Lists\\a.bmk", 'C', true},
      {"c:/Lists/a.bmk", "C:\\Lists\\a.bmk", 'C', true},
      {"C:\\\\Lists//\\a.bmk", "C:\\Lists\\a.bmk", 'C', true},
      {"C:\\Lists\\", "C:\\Lists", 'C', true},
      {"C:\\.\\Lists\\.", "C:\\Lists", 'C', true},
      {"C:\\Lists\\Old\\..\\a.bmk", "C:\\Lists\\a.bmk", 'C', true},
      {"C:\\..\\..\\Lists", "C:\\Lists", 'C', true},  // never above the root
      {"C:\\Lists\\..\\..", "C:\\", 'C', true},
      {"C:\\", "C:\\", 'C', true},
      {"d:", "D:", 'D', false},
      {"D:Sub\\x", "D:Sub\\x", 'D', false},
      {"\\Top\\..\\..\\x", "\\x", 0, true},
      // A relative path keeps the ".." it cannot take away yet: its base will.
      {"a\\..\\..\\b", "..\\b", 0, false},
      {"C:..\\..\\x", "C:..\\..\\x", 'C', false},
      {"1:\\x", "1:\\x", 0, false},  // no drive letter
      {"", "", 0, false},
  };
  for (const auto& c : cases) {
    WindowsPath path = WindowsPath::parse(c.text);
    EXPECT_EQ(path.text(), c.spelt) << c.text;
    EXPECT_EQ(path.drive(), c.drive) << c.text;
    EXPECT_EQ(path.rooted(), c.rooted) << c.text;
  }
}

TEST(WindowsPathTest, ParsingTellsRootsNetworkPathsAndTrailingSeparators) {
  EXPECT_TRUE(WindowsPath::parse("c:/").isRoot());
  EXPECT_TRUE(WindowsPath::parse("C:\\a\\..").isRoot());
  EXPECT_FALSE(WindowsPath::parse("C:").isRoot());  // the current directory of C:
  EXPECT_FALSE(WindowsPath::parse("\\").isRoot());  // no drive yet

  EXPECT_TRUE(WindowsPath::parse("\\\\server\\share").network());
  EXPECT_TRUE(WindowsPath::parse("//server/share").network());
  EXPECT_FALSE(WindowsPath::parse("C:\\\\server").network());

  EXPECT_TRUE(WindowsPath::parse("C:\\a\\").trailingSeparator());
  EXPECT_TRUE(WindowsPath::parse("a/").trailingSeparator());
  EXPECT_FALSE(WindowsPath::parse("C:\\a").trailingSeparator());
  EXPECT_FALSE(WindowsPath::parse("C:").trailingSeparator());
}

TEST(WindowsPathTest, RelativePathsResolveAgainstABase) {
  struct Case {
    const char* typed;
    const char* base;
    const char* expected;
  } cases[] = {
      {"Sub", "C:\\Lists", "C:\\Lists\\Sub"},
      {"..\\Other\\.\\a.bmk", "C:\\Lists\\Sub", "C:\\Lists\\Other\\a.bmk"},
      {"..\\..\\..", "C:\\Lists", "C:\\"},
      {"\\Top", "D:\\Maps", "D:\\Top"},
      {"C:Sub", "c:\\Lists", "C:\\Lists\\Sub"},
      {"C:", "C:\\Lists", "C:\\Lists"},
      {"D:Sub", "C:\\Lists", "D:\\Sub"},  // another drive: from its root
      {"D:..\\Sub", "C:\\Lists", "D:\\Sub"},
      {"E:\\x\\", "C:\\Lists", "E:\\x"},    // absolute already
      {"x", "C:a\\..\\..\\b", "C:\\b\\x"},  // the base counts from its root
      {"a\\..\\..\\b", "C:\\x\\y", "C:\\x\\b"},
      {"x", "", "\\x"},  // nowhere to take a drive from
  };
  for (const auto& c : cases) {
    WindowsPath resolved = WindowsPath::parse(c.typed).resolvedAgainst(WindowsPath::parse(c.base));
    EXPECT_EQ(resolved.text(), c.expected) << c.base << " + " << c.typed;
    EXPECT_TRUE(resolved.rooted()) << c.base << " + " << c.typed;
  }
}

TEST(WindowsPathTest, JoiningAddsOneSeparatorAndChangesNothingElse) {
  struct Case {
    const char* directory;
    const char* name;
    const char* expected;
  } cases[] = {
      {"C:\\Lists", "a.bmk", "C:\\Lists\\a.bmk"},
      {"C:\\", "a.bmk", "C:\\a.bmk"},
      {"c:/x/", "a.bmk", "c:/x/a.bmk"},
      {"C:\\Lists", "..", "C:\\Lists\\.."},
      {"", "a.bmk", "\\a.bmk"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WindowsPath::join(c.directory, c.name), c.expected) << c.directory << " + " << c.name;
  }
}

// The Latin-1 letters in UTF-8 pair as C3 80..9E with C3 A0..BE; the signs between them and the
// letters without a partner, as all letters beyond Latin-1, keep their case.
TEST(WindowsPathTest, CaseFoldsAsciiAndLatinOneLettersOnly) {
  struct Case {
    const char* text;
    const char* lower;
    const char* upper;
  } cases[] = {
      {"Program Files", "program files", "PROGRAM FILES"},
      {"Caf\xC3\xA9", "caf\xC3\xA9", "CAF\xC3\x89"},                 // é É
      {"\xC3\x80\xC3\x9E", "\xC3\xA0\xC3\xBE", "\xC3\x80\xC3\x9E"},  // À Þ
      {"\xC3\xA0\xC3\xBE", "\xC3\xA0\xC3\xBE", "\xC3\x80\xC3\x9E"},  // à þ
      {"\xC3\x97\xC3\xB7", "\xC3\x97\xC3\xB7", "\xC3\x97\xC3\xB7"},  // × ÷
      {"\xC3\x9F\xC3\xBF", "\xC3\x9F\xC3\xBF", "\xC3\x9F\xC3\xBF"},  // ß ÿ
      {"\xCE\xA9\xCF\x89", "\xCE\xA9\xCF\x89", "\xCE\xA9\xCF\x89"},  // Ω ω
      {"\xC4\x80\xC4\x81", "\xC4\x80\xC4\x81", "\xC4\x80\xC4\x81"},  // Ā ā
      {"[_]^`{|}@", "[_]^`{|}@", "[_]^`{|}@"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(foldCase(c.text), c.lower) << c.text;
    EXPECT_EQ(upperCase(c.text), c.upper) << c.text;
  }
  EXPECT_EQ(upperCase('c'), 'C');
  EXPECT_EQ(upperCase('\xE9'), '\xE9');
}

TEST(WindowsPathTest, SpellingsOfOnePlaceCompareEqual) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"C:\\Caf\xC3\xA9\\list.bmk", "c:/CAF\xC3\x89/LIST.BMK", true},
      {"C:\\Lists\\.\\x\\..\\a.bmk", "C:\\LISTS\\A.BMK\\", true},
      {"C:\\a.bmk", "D:\\a.bmk", false},
      {"C:\\\xCE\xA9.bmk", "C:\\\xCF\x89.bmk", false},  // Ω and ω are two names
      {"C:\\\xC3\x9F.bmk", "C:\\SS.bmk", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WindowsPath::parse(c.a).sameIgnoringCase(WindowsPath::parse(c.b)), c.same)
        << c.a << " ~ " << c.b;
    EXPECT_EQ(equalIgnoringCase(WindowsPath::parse(c.a).text(), WindowsPath::parse(c.b).text()),
              c.same)
        << c.a << " ~ " << c.b;
  }
}

}  // namespace
}  // namespace cw::platform

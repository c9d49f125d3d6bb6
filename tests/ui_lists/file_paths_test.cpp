#include <gtest/gtest.h>

#include "ui/controls/file_lists.h"

namespace cw::ui {
namespace {

TEST(ResolveWindowsPath, MakesTypedPlacesAbsolute) {
  struct Case {
    const char* base;
    const char* typed;
    const char* current;
    const char* expected;
  } cases[] = {
      {"C:\\Lists", "C:\\Other", "C:\\Users", "C:\\Other"},
      {"C:\\Lists", "c:/Other/Sub/", "C:\\Users", "C:\\Other\\Sub"},
      {"C:\\Lists", "Sub", "C:\\Users", "C:\\Lists\\Sub"},
      {"C:\\Lists\\Sub", "..", "C:\\Users", "C:\\Lists"},
      {"C:\\", "..", "C:\\Users", "C:\\"},
      {"C:\\Lists", ".\\A\\.\\B\\..", "C:\\Users", "C:\\Lists\\A"},
      {"C:\\Lists", "\\Top", "C:\\Users", "C:\\Top"},
      {"C:\\Lists", "D:", "C:\\Users", "D:\\"},
      {"D:\\Maps", "C:", "C:\\Users\\me", "C:\\Users\\me"},
      {"C:\\Lists", "d:Sub", "C:\\Users", "D:\\Sub"},
      {"", "C:\\Users\\me\\", "C:\\Users\\me", "C:\\Users\\me"},
      {"", "Sub", "Z:\\tmp", "Z:\\tmp\\Sub"},
      {"C:\\Lists", "\\\\server\\share", "C:\\Users", "C:\\server\\share"},
      {"C:\\Lists", "C:.", "C:\\Users\\me", "C:\\Lists"},
      {"C:\\Lists\\Sub", "C:..", "C:\\Users\\me", "C:\\Lists"},
      {"C:\\Lists", "c:", "D:\\Maps", "C:\\"},
      {"C:\\Lists", "..\\..\\..\\x", "C:\\Users", "C:\\x"},
      {"", "D:x", "", "D:\\x"},
      {"", "\\x", "Z:\\tmp", "Z:\\x"},
      {"c:\\lists", "x", "Z:\\tmp", "C:\\lists\\x"},
      {"", "", "Z:\\tmp\\", "Z:\\tmp"},
      {"", "a/./b", "", "a\\.\\b"},  // nowhere to resolve against: left as typed
  };
  for (const auto& c : cases) {
    EXPECT_EQ(resolveWindowsPath(c.base, c.typed, c.current), c.expected)
        << c.base << " + " << c.typed;
  }
}

TEST(JoinWindowsPath, AddsOneSeparator) {
  EXPECT_EQ(joinWindowsPath("C:\\Lists", "a.bmk"), "C:\\Lists\\a.bmk");
  EXPECT_EQ(joinWindowsPath("C:\\", "a.bmk"), "C:\\a.bmk");
}

TEST(MatchesFilePattern, ComparesIgnoringCase) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"a.bmk", "*.bmk", true},      {"OLD.BMK", "*.bmk", true},
      {"a.bmk.txt", "*.bmk", false}, {"a.bmkx", "*.bmk", false},
      {"bmk", "*.bmk", false},       {"readme", "", true},
      {"readme", "*.*", true},       {"a.txt", "*.bmk; *.txt", true},
      {"a1.bmk", "a?.bmk", true},    {"a12.bmk", "a?.bmk", false},
      {"x.b.bmk", "*.*.bmk", true},  {"a.doc", "*.bmk;*.txt", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(matchesFilePattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  }
}

TEST(MatchesFilePattern, FoldsLetterCaseAsTheDriveDoes) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"CAF\xC3\x89.BMK", "caf\xC3\xA9*", true},  // É and é: one name on the drive
      {"caf\xC3\xA9.bmk", "?AF\xC3\x89.*", true},
      {"\xCE\xA9.bmk", "\xCF\x89*", false},  // Ω and ω: two names
  };
  for (const auto& c : cases) {
    EXPECT_EQ(matchesFilePattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  }
}

}  // namespace
}  // namespace cw::ui

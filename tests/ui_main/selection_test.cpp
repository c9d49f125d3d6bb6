#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/list_lines.h"
#include "support/test_app.h"

namespace cw::ui {
namespace {

using testing::bookmark;
using testing::group;
using testing::header;
using testing::removeBookmark;
using testing::removeGroup;
using testing::TestApp;

const std::string kList = "C:\\lists\\a.bmk";

// A created command whose window shows `kList`, without the start-up's group list, so that any
// group (also a withdrawn one) can be picked.
struct SelectionTest {
  explicit SelectionTest(const std::string& content) {
    t.command.OnCreate(&t.host);
    t.drives.write(kList, content);
    t.module.session.ActiveListPath = kList;
  }
  // Puts the group in the group list and selects it, which fires the listing.
  std::vector<std::string> select(const std::string& name) {
    ListBox& groups = t.window().lstbxGroup();
    groups.addItem(name);
    testing::selectEntry(groups, name);
    return t.window().lstbxExtentName().items();
  }
  TestApp t;
};

TEST(GroupSelection, ListsTheGroupsBookmarksLessWithheldPairs) {
  struct Case {
    const char* what;
    std::string content;
    std::string group;
    std::vector<std::string> names;
  } cases[] = {
      {"a group without bookmarks",
       header() + group("Parks") + group("Roads") + bookmark("Roads", "a"),
       "Parks",
       {}},
      {"a list of its header only", header(), "Parks", {}},
      {"names in sorted order, other groups left out",
       header() + group("Parks") + bookmark("Parks", "zoo") + bookmark("Roads", "x") +
           bookmark("Parks", "Bridge") + bookmark("Parks", "mill"),
       "Parks",
       {"Bridge", "mill", "zoo"}},
      {"a bookmark removal after the bookmark",
       header() + group("Parks") + bookmark("Parks", "a") + bookmark("Parks", "b") +
           removeBookmark("Parks", "a"),
       "Parks",
       {"b"}},
      {"a bookmark removal before the bookmark",
       header() + removeBookmark("Parks", "a") + group("Parks") + bookmark("Parks", "a") +
           bookmark("Parks", "b"),
       "Parks",
       {"b"}},
      {"a removal withholds only its exact pair",
       header() + bookmark("Parks", "a") + bookmark("Parks", "A") + bookmark("Roads", "a") +
           removeBookmark("Roads", "a") + removeBookmark("parks", "a"),
       "Parks",
       {"a", "A"}},
      {"a group removal withholds no bookmark",
       header() + group("Parks") + bookmark("Parks", "a") + removeGroup("Parks"),
       "Parks",
       {"a"}},
      {"the same bookmark twice is listed twice, and withheld twice",
       header() + bookmark("Parks", "a") + bookmark("Parks", "b") + bookmark("Parks", "a") +
           bookmark("Parks", "b") + removeBookmark("Parks", "b"),
       "Parks",
       {"a", "a"}},
      {"a header in the middle is skipped",
       header() + bookmark("Parks", "a") + header() + bookmark("Parks", "b"),
       "Parks",
       {"a", "b"}},
      {"the group record's filler is no bookmark",
       header() + group("Parks") + bookmark("Parks", "ud2s88oew") +
           "\"Parks\",\"ao74idqp3\",\"ao74idqp3\",,,,,,,\r\n",
       "Parks",
       {}},
      {"a number never equals a text",
       header() + "\"Parks\",5,1,2,3,4,,,,\r\n" + "\"Parks\",\"7\",1,2,3,4,,,,\r\n" +
           removeBookmark("Parks", "5") + "\"Parks\",7,\"ao74idqp3\",,,,,,,\r\n",
       "Parks",
       {"5", "7"}},
      {"an empty name is withheld by an empty-text removal",
       header() + "\"Parks\",,1,2,3,4,,,,\r\n" + bookmark("Parks", "") + bookmark("Parks", "x") +
           removeBookmark("Parks", ""),
       "Parks",
       {"x"}},
      {"a removal record is never listed itself",
       header() + removeBookmark("Parks", "gone") + bookmark("Parks", "a"),
       "Parks",
       {"a"}},
  };
  for (const auto& c : cases) {
    SelectionTest s(c.content);
    EXPECT_EQ(s.select(c.group), c.names) << c.what;
    EXPECT_EQ(s.t.module.session.SelectedGroup, c.group) << c.what;
    EXPECT_TRUE(s.t.toolkit.messages.empty()) << c.what;
    EXPECT_FALSE(s.t.module.files.isOpen(1)) << c.what;
    EXPECT_EQ(s.t.drives.read(kList), c.content) << c.what;
  }
}

TEST(GroupSelection, EachSelectionReadsTheListAfresh) {
  SelectionTest s(header() + group("Parks") + bookmark("Parks", "a") + group("Roads"));
  EXPECT_EQ(s.select("Parks"), std::vector<std::string>{"a"});
  s.t.drives.write(kList, header() + group("Parks") + bookmark("Parks", "b") + group("Roads"));
  EXPECT_EQ(s.select("Roads"), std::vector<std::string>{});
  s.t.module.session.SelectedGroup = "something else";
  EXPECT_EQ(s.select("Parks"), std::vector<std::string>{"b"});
  EXPECT_EQ(s.t.module.session.SelectedGroup, "Parks");
}

TEST(GroupSelection, CutShortListEndsInTheReportWithNoBookmarks) {
  SelectionTest s(header() + group("Parks") + bookmark("Parks", "a"));
  ASSERT_EQ(s.select("Parks"), std::vector<std::string>{"a"});
  s.t.drives.write(
      kList, header() + group("Parks") + bookmark("Parks", "a") + "\"Roads\",\"b\",1,2,3\r\n");
  s.t.toolkit.messages.clear();
  EXPECT_EQ(s.select("Roads"), std::vector<std::string>{});
  EXPECT_EQ(s.t.module.session.SelectedGroup, "Roads");
  ASSERT_EQ(s.t.toolkit.messages.size(), 1u);
  EXPECT_NE(s.t.toolkit.messages[0].find("ERROR NUMBER: 62\r\n"), std::string::npos);
  EXPECT_NE(s.t.toolkit.messages[0].find("MODULE: lstbxGroup_Click frmMain Line : 3\r\n"),
            std::string::npos);
}

// Removal records of bookmarks, of any group, as many as given.
std::string removals(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i)
    lines += removeBookmark(i % 2 ? "Other" : "Parks", "r" + std::to_string(i));
  return lines;
}

TEST(GroupSelection, WithheldPairsBeyondTheTablesRoomEndInTheReport) {
  // Three records and nine removals: 12 records leave room for 18 entries, nine pairs.
  std::string base = header() + group("Parks") + bookmark("Parks", "keep");
  {
    SelectionTest s(base + removals(9));
    EXPECT_EQ(s.select("Parks"), std::vector<std::string>{"keep"});
    EXPECT_TRUE(s.t.toolkit.messages.empty());
  }
  {
    // 13 records leave room for 19 entries: nine pairs, not ten.
    SelectionTest s(base + removals(10));
    EXPECT_EQ(s.select("Parks"), std::vector<std::string>{});
    ASSERT_EQ(s.t.toolkit.messages.size(), 1u);
    EXPECT_NE(s.t.toolkit.messages[0].find("ERROR NUMBER: 9\r\n"), std::string::npos);
    EXPECT_NE(s.t.toolkit.messages[0].find("MODULE: lstbxGroup_Click frmMain Line : 4\r\n"),
              std::string::npos);
  }
}

TEST(GroupSelection, MissingListEndsInTheReport) {
  SelectionTest s(header());
  s.t.module.session.ActiveListPath = "C:\\lists\\missing.bmk";
  EXPECT_EQ(s.select("Parks"), std::vector<std::string>{});
  ASSERT_EQ(s.t.toolkit.messages.size(), 1u);
  EXPECT_NE(s.t.toolkit.messages[0].find("MODULE: lstbxGroup_Click frmMain Line : 3\r\n"),
            std::string::npos);
}

// Unoptimised and sanitizer builds take a smaller list under the same generous bound.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr int kManyRecords = 100'000;
#else
constexpr int kManyRecords = 1'000'000;
#endif

TEST(GroupSelection, LargeListIsListedInLinearTime) {
  // Half the records are bookmarks of the selected group, a tenth withhold one of them.
  std::string content = header();
  int listed = 0;
  for (int i = 1; i < kManyRecords; ++i) {
    std::string name = "b" + std::to_string(i);
    if (i % 10 == 0) {
      content += removeBookmark("Parks", "b" + std::to_string(i - 1));
      --listed;
    } else if (i % 2) {
      content += bookmark("Parks", name);
      ++listed;
    } else {
      content += bookmark("Roads", name);
    }
  }
  SelectionTest s(content);

  auto start = std::chrono::steady_clock::now();
  std::vector<std::string> names = s.select("Parks");
  auto elapsed = std::chrono::steady_clock::now() - start;

  EXPECT_EQ(static_cast<int>(names.size()), listed);
  EXPECT_TRUE(s.t.toolkit.messages.empty());
  // A scan of every withheld pair for each record would take hours here.
  EXPECT_LT(std::chrono::duration<double>(elapsed).count(), 30.0);
}

}  // namespace
}  // namespace cw::ui

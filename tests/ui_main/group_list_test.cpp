#include "store/group_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "base/failure.h"
#include "support/list_lines.h"
#include "support/test_app.h"

namespace cw::store {
namespace {

using testing::bookmark;
using testing::group;
using testing::header;
using testing::removeBookmark;
using testing::removeGroup;
using testing::TestApp;

const std::string kList = "C:\\lists\\a.bmk";

// A created command (so the window object exists) working on `kList`.
struct GroupListTest {
  explicit GroupListTest(const std::string& content) {
    t.command.OnCreate(&t.host);
    t.drives.write(kList, content);
    t.module.session.ActiveListPath = kList;
  }
  ui::FrmMain& window() { return t.window(); }
  TestApp t;
};

TEST(LoadGroupList, ListsEachGroupOnceLessWithdrawnOnesInSortedOrder) {
  struct Case {
    const char* what;
    std::string content;
    std::vector<std::string> groups;
  } cases[] = {
      {"header only", header(), {}},
      {"a group record and its bookmarks",
       header() + group("Parks") + bookmark("Parks", "a") + bookmark("Parks", "b"),
       {"Parks"}},
      {"names differing in case are two groups, in order of appearance among equals",
       header() + group("Parks") + group("Zoo") + group("parks"),
       {"Parks", "parks", "Zoo"}},
      {"a group removal after the group's records",
       header() + group("Parks") + bookmark("Parks", "a") + group("Roads") + removeGroup("Parks"),
       {"Roads"}},
      {"a group removal before the group's records",
       header() + removeGroup("Parks") + group("Parks") + group("Roads"),
       {"Roads"}},
      {"a bookmark removal withdraws no group",
       header() + group("Parks") + removeBookmark("Parks", "a"),
       {"Parks"}},
      {"a header in the middle is skipped",
       header() + group("Parks") + header() + group("Roads") + group("Parks"),
       {"Parks", "Roads"}},
      {"a group named only by bookmarks, before or without its group record",
       header() + bookmark("Roads", "a") + group("Roads") + bookmark("Rail", "b") +
           bookmark("Rail", "c"),
       {"Rail", "Roads"}},
      {"an empty, empty-text or zero field 1 is never listed",
       header() + ",\"a\",1,2,3,4,,,,\r\n" + "\"\",\"b\",1,2,3,4,,,,\r\n" +
           "0,\"c\",1,2,3,4,,,,\r\n" + "-0.0,\"d\",1,2,3,4,,,,\r\n" + group("Kept"),
       {"Kept"}},
      {"a number never equals a text",
       header() + "5,\"ud2s88oew\",,,,,,,,\r\n" + group("5") + "5,\"x\",1,2,3,4,,,,\r\n" +
           "\"5\",\"ao74idqp3\",,,,,,,,\r\n",
       {"5"}},
      {"a number withdrawn by its value",
       header() + "2.5,\"a\",,,,,,,,\r\n" + "25E-1,\"ao74idqp3\",,,,,,,,\r\n" + group("x"),
       {"x"}},
      {"text is compared exactly",
       header() + group("Parks ") + group("Parks") + removeGroup("Parks"),
       {"Parks "}},
      {"no header at all", group("B") + group("A"), {"A", "B"}},
  };
  for (const auto& c : cases) {
    GroupListTest g(c.content);
    g.t.window().LoadGroupList();
    EXPECT_EQ(g.window().lstbxGroup().items(), c.groups) << c.what;
    EXPECT_EQ(g.window().lstbxGroup().selectedIndex(), ui::ListBox::kNone) << c.what;
    EXPECT_FALSE(g.t.module.files.isOpen(1)) << c.what;
  }
}

TEST(LoadGroupList, EmptiesBothListsFirst) {
  GroupListTest g(header() + group("New"));
  g.window().lstbxGroup().addItem("Old");
  g.window().lstbxExtentName().addItem("old bookmark");
  g.t.window().LoadGroupList();
  EXPECT_EQ(g.window().lstbxGroup().items(), std::vector<std::string>{"New"});
  EXPECT_EQ(g.window().lstbxExtentName().count(), 0);
}

TEST(LoadGroupList, CutShortListFailsWithBothListsEmpty) {
  // The groups before the cut are not listed either.
  GroupListTest g(header() + group("Parks") + group("Roads") + "\"Rail\",\"ud2s88oew\"\r\n");
  g.window().lstbxGroup().addItem("Old");
  g.window().lstbxExtentName().addItem("old bookmark");
  try {
    g.t.window().LoadGroupList();
    FAIL() << "the cut-short list was read";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), err::kInputPastEndOfFile);
  }
  EXPECT_EQ(g.window().lstbxGroup().count(), 0);
  EXPECT_EQ(g.window().lstbxExtentName().count(), 0);
}

TEST(LoadGroupList, MissingListFailsAfterEmptyingTheLists) {
  GroupListTest g(header());
  g.t.module.session.ActiveListPath = "C:\\lists\\missing.bmk";
  g.window().lstbxGroup().addItem("Old");
  EXPECT_THROW(g.t.window().LoadGroupList(), Failure);
  EXPECT_EQ(g.window().lstbxGroup().count(), 0);
}

// Unoptimised and sanitizer builds take a smaller list under the same generous bound.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr int kManyGroups = 20'000;
#else
constexpr int kManyGroups = 100'000;
#endif

TEST(LoadGroupList, ManyGroupsLoadInLinearTime) {
  // Each group has its record and one bookmark; every tenth group is withdrawn at the end.
  std::string content = header();
  std::string removals;
  auto name = [](int i) { return "G" + std::to_string((i * 7919) % kManyGroups); };
  for (int i = 0; i < kManyGroups; ++i) {
    content += group(name(i)) + bookmark(name(i), "b");
    if (i % 10 == 0) removals += removeGroup(name(i));
  }
  GroupListTest g(content + removals);

  auto start = std::chrono::steady_clock::now();
  g.t.window().LoadGroupList();
  const auto& items = g.window().lstbxGroup().items();
  auto elapsed = std::chrono::steady_clock::now() - start;

  EXPECT_EQ(static_cast<int>(items.size()), kManyGroups - kManyGroups / 10);
  EXPECT_TRUE(std::is_sorted(items.begin(), items.end(), ui::lessIgnoringCase));
  // A comparison with every earlier record would take minutes here.
  EXPECT_LT(std::chrono::duration<double>(elapsed).count(), 10.0);
}

}  // namespace
}  // namespace cw::store

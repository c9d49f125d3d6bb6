#include "convert/list_io.h"

#include <gtest/gtest.h>

#include <string>

#include "convert/numbers.h"
#include "input_error_of.h"
#include "support/list_lines.h"

namespace cw::convert {
namespace {

using testing::inputErrorOf;

using cw::testing::bookmark;
using cw::testing::group;
using cw::testing::header;
using cw::testing::removeBookmark;
using cw::testing::removeGroup;

// "group/name=xmin,ymin,xmax,ymax; ..." of what a list read gives.
std::string summary(const Bookmarks& bookmarks) {
  std::string text;
  for (const Bookmark& b : bookmarks) {
    if (!text.empty()) text += "; ";
    text += b.group + "/" + b.name + "=" + exactText(b.extent.XMin) + "," +
            exactText(b.extent.YMin) + "," + exactText(b.extent.XMax) + "," +
            exactText(b.extent.YMax);
  }
  return text;
}

TEST(convert_ReadListTest, ReadsWhatTheWindowsShow) {
  struct Case {
    const char* what;
    std::string list;
    const char* bookmarks;
  } cases[] = {
      {"header only", header(), ""},
      {"group records and bookmarks",
       header() + group("Parks") + bookmark("Parks", "Riverside", "-122.5,37.25,-122,37.75"),
       "Parks/Riverside=-122.5,37.25,-122,37.75"},
      {"a group without a group record", header() + bookmark("Roads", "A1"), "Roads/A1=1,2,3,4"},
      {"a second header in the middle, groups of both parts",
       header() + bookmark("A", "a") + header() + bookmark("B", "b"), "A/a=1,2,3,4; B/b=1,2,3,4"},
      {"interleaved groups keep the group list's order",
       header() + bookmark("B", "b1") + bookmark("A", "a") + bookmark("B", "b2"),
       "B/b1=1,2,3,4; B/b2=1,2,3,4; A/a=1,2,3,4"},
      {"a removed bookmark, wherever the removal stands",
       header() + removeBookmark("P", "x") + bookmark("P", "x") + bookmark("P", "y"),
       "P/y=1,2,3,4"},
      {"a removed group", header() + bookmark("P", "x") + removeGroup("P") + bookmark("Q", "q"),
       "Q/q=1,2,3,4"},
      // Records of one group come one after another, and removals stand among them.
      {"a removal among its group's records",
       header() + bookmark("P", "x") + removeBookmark("P", "x") + bookmark("P", "y"),
       "P/y=1,2,3,4"},
      {"a group removed among its own records",
       header() + bookmark("P", "x") + removeGroup("P") + bookmark("P", "y") + bookmark("Q", "q"),
       "Q/q=1,2,3,4"},
      {"numbers in every accepted form", header() + bookmark("P", "n", " .5 , 1E2,\"3\",2.5E+2"),
       "P/n=0.5,100,3,250"},
      {"blank lines and CR-less lines", header() + "\r\n\n" + "\"P\",\"n\",1,2,3,4,,,,\n",
       "P/n=1,2,3,4"},
      {"a byte-order mark", "\xEF\xBB\xBF" + header() + bookmark("P", "n"), "P/n=1,2,3,4"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(summary(readList(c.list, "l.bmk")), c.bookmarks) << c.what;
  }
}

TEST(convert_ReadListTest, RefusesWithTheFileAndTheRecord) {
  struct Case {
    std::string list;
    const char* message;
  } cases[] = {
      {"{\"type\": \"FeatureCollection\"}",
       "l.bmk: record 1: not a bookmark list: it does not begin with the header record "
       "\"Bookmarks_v2.0\""},
      {header() + "\"P\",\"n\",1,2,3\r\n",
       "l.bmk: end of file: the last record is cut short (a list's records have ten fields each)"},
      {header() + bookmark("P", "a") + bookmark("P", "n", "\"west\",2,3,4"),
       "l.bmk: record 3: the extent field \"west\" is not a number"},
      {header() + bookmark("P", "n", "5,2,3,4"), "l.bmk: record 2: xmin 5 is greater than xmax 3"},
      // A message quoting the file stays one line.
      {header() + bookmark("P", "n", "\"one\r\ntwo\x01\",2,3,4"),
       "l.bmk: record 2: the extent field \"one\\r\\ntwo\\x01\" is not a number"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(inputErrorOf([&] { readList(c.list, "l.bmk"); }), c.message) << c.list;
  }
}

Bookmark mark(std::string groupName, std::string name, double x = 1) {
  return {std::move(groupName), std::move(name), "", {x, 2, x + 1, 4}, "", {}, 0};
}

TEST(convert_AddToListTest, ANewListIsWrittenAsTheSystemWritesIt) {
  ListAddition a = addToList(
      "", {mark("Parks", "Riverside", -122.5), mark("Roads", "A1"), mark("Parks", "Harbour")},
      "out.bmk");
  EXPECT_EQ(a.bytes, header() + group("Parks") +
                         bookmark("Parks", "Riverside", "-122.5,2,-121.5,4") +
                         bookmark("Parks", "Harbour", "1,2,2,4") + group("Roads") +
                         bookmark("Roads", "A1", "1,2,2,4"));
  EXPECT_EQ(summary(readList(a.bytes, "out.bmk")),
            "Parks/Riverside=-122.5,2,-121.5,4; Parks/Harbour=1,2,2,4; Roads/A1=1,2,2,4");
}

TEST(convert_AddToListTest, TakenGroupNamesAreNamedAsTheImportNamesItsGroup) {
  const std::string existing = header() + group("Parks") + bookmark("Parks", "x") +
                               bookmark("Gone", "g") + removeGroup("Gone");
  ListAddition a = addToList(
      existing,
      {mark("Parks", "a"), mark("", "loose"), mark("Gone", "b"), mark("Bookmarks_v2.0", "c")},
      "out.bmk");
  EXPECT_EQ(a.renamedGroups, 3);
  EXPECT_TRUE(a.bytes.starts_with(existing));
  EXPECT_EQ(summary(readList(a.bytes, "out.bmk")),
            "Parks/x=1,2,3,4; Parks2/a=1,2,2,4; ArcMapBookmarks/loose=1,2,2,4; "
            "Gone2/b=1,2,2,4; Bookmarks_v2.02/c=1,2,2,4");
  // A second conversion into the same list names its groups as a further import would.
  ListAddition again = addToList(a.bytes, {mark("Parks", "a")}, "out.bmk");
  EXPECT_EQ(readList(again.bytes, "out.bmk").back().group, "Parks33");
}

TEST(convert_AddToListTest, NamesTheListCannotHoldAreStoredAsTheImportStoresThem) {
  ListAddition a = addToList(
      "",
      {mark("G", "say \"hi\""), mark("G", ""), mark("G", "ao74idqp3"), mark("G", "ud2s88oew"),
       mark("G", "twice"), mark("G", "twice"), mark("G", "a/b\\c:d"),
       mark("G", std::string(1000, 'n')), mark("G", "\x01tab\tnew\nline")},
      "out.bmk");
  EXPECT_EQ(a.changedNames, 1);
  EXPECT_EQ(a.droppedEmpty, 1);
  EXPECT_EQ(a.droppedReserved, 2);
  EXPECT_EQ(a.droppedDuplicates, 1);
  Bookmarks read = readList(a.bytes, "out.bmk");
  ASSERT_EQ(read.size(), 5u);
  EXPECT_EQ(read[0].name, "say \xE2\x80\x9Dhi\xE2\x80\x9D");
  EXPECT_EQ(read[2].name, "a/b\\c:d");
  EXPECT_EQ(read[3].name, std::string(1000, 'n'));
  EXPECT_EQ(read[4].name, "\x01tab\tnew\nline");
  EXPECT_EQ(summary(read), summary(a.written));
}

TEST(convert_AddToListTest, AnUnreadableListIsRefusedBeforeAnythingIsAdded) {
  EXPECT_THROW(addToList(header() + "\"P\",\"n\",1\r\n", {mark("G", "a")}, "out.bmk"), InputError);
}

}  // namespace
}  // namespace cw::convert

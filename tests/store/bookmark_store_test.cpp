#include "store/bookmark_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/list_format.h"
#include "support/test_app.h"

namespace cw::store {
namespace {

TEST(IsValidFileName, RefusesNamesThatCannotBeFileNames) {
  struct Case {
    std::string name;
    bool valid;
  } cases[] = {
      {"", false},
      {"   ", false},
      {"Parks.", false},
      {"Parks ", false},
      {" Parks", true},
      {"a/b", false},
      {"a\\b", false},
      {"what?", false},
      {"a:b", false},
      {"a|b", false},
      {"<a>", false},
      {"a*", false},
      {"say \"hi\"", false},
      {std::string("tab\there"), false},
      {std::string("nul\x1f"), false},
      {"CON", false},
      {"Lpt3", false},
      {"clock$", false},
      {"com9", false},
      {"aux", false},
      {"com0", true},
      {"lpt10", true},
      {"con.txt", true},
      {"console", true},
      {"Caf\xC3\xA9", true},
      {std::string(300, 'x'), true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidFileName(c.name), c.valid) << "\"" << c.name << "\"";
  }
}

TEST(CreateNewGroup, EmptyNameWritesNothingAndSaysNothing) {
  testing::TestApp t;
  t.start();
  const std::string before = t.drives.read(t.module.session.ActiveListPath);
  CreateNewGroup(t.module.activeList(), "");
  EXPECT_EQ(t.drives.read(t.module.session.ActiveListPath), before);
  EXPECT_TRUE(t.toolkit.messages.empty());
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
}

TEST(CreateNewGroup, CutShortListEndsInTheStoresReport) {
  testing::TestApp t;
  t.start();
  t.drives.write(t.module.session.ActiveListPath, "\"Parks\",\"ud2s88oew\"\r\n");
  CreateNewGroup(t.module.activeList(), "Roads");
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("MODULE: CreateNewGroup Fennigate_Bookmark_Tool_Module "
                                       "Line : 3\r\n"),
            std::string::npos);
  EXPECT_FALSE(t.module.files.isOpen(1));
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
}

// The store works on the list alone: no window object is needed, and whoever observes the list
// hears of each addition once it is in the file for good.
TEST(CreateNewGroup, AddsWithoutAnyWindowAndTellsItsObserver) {
  struct Heard : ListObserver {
    std::vector<std::string> events;
    void groupAdded(const std::string& g) override { events.push_back("added " + g); }
    void groupSettled(const std::string& g) override { events.push_back("settled " + g); }
    void bookmarkAdded(const Bookmark& b) override { events.push_back("bookmark " + b.name); }
  } heard;
  testing::TestApp t;
  t.start();
  t.module.mainWindow.reset();
  BookmarkList list = t.module.activeList();
  list.observedBy(heard);
  const AddOutcome group = CreateNewGroup(list, "Parks");
  const AddOutcome bookmark =
      AddBookmark(list, {"Parks", "Pond", {1, 2, 3, 4}}, t.module.session.HostDocument, false);
  const AddOutcome again = CreateNewGroup(list, "Parks");

  EXPECT_TRUE(group.added);
  EXPECT_TRUE(bookmark.added);
  EXPECT_FALSE(again.added);
  EXPECT_TRUE(again.refusedAsDuplicate);
  EXPECT_EQ(heard.events,
            (std::vector<std::string>{"added Parks", "settled Parks", "bookmark Pond"}));
  EXPECT_EQ(t.toolkit.messages, (std::vector<std::string>{"Duplicate names are not allowed.",
                                                          "Duplicate names are not allowed."}));
  EXPECT_EQ(t.drives.read(t.module.session.ActiveListPath),
            formatRecord(headerRecord()) + formatRecord(groupRecord("Parks")) +
                formatRecord(bookmarkRecord("Parks", "Pond", 1, 2, 3, 4)));
}

TEST(AddBookmark, EmptyNameWritesNothingAndSaysNothing) {
  testing::TestApp t;
  t.start();
  const std::string before = t.drives.read(t.module.session.ActiveListPath);
  AddBookmark(t.module.activeList(), {"Parks", "", {1, 2, 3, 4}}, t.module.session.HostDocument,
              false);
  EXPECT_EQ(t.drives.read(t.module.session.ActiveListPath), before);
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST(AddBookmark, ListThatCannotBeWrittenEndsInTheStoresReport) {
  testing::TestApp t;
  t.start();
  t.module.services.fs.setAttributes(t.module.session.ActiveListPath, platform::kReadOnly);
  AddBookmark(t.module.activeList(), {"Parks", "View", {1, 2, 3, 4}}, t.module.session.HostDocument,
              false);
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("MODULE: AddBookmark Fennigate_Bookmark_Tool_Module "
                                       "Line : 6\r\n"),
            std::string::npos);
  EXPECT_FALSE(t.module.files.isOpen(1));
}

}  // namespace
}  // namespace cw::store

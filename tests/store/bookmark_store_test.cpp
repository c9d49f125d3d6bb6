#include "store/bookmark_store.h"

#include <gtest/gtest.h>

#include <string>

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
  const std::string before = t.drives.read(t.app.ActiveListPath);
  CreateNewGroup(t.app, "");
  EXPECT_EQ(t.drives.read(t.app.ActiveListPath), before);
  EXPECT_TRUE(t.toolkit.messages.empty());
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
}

TEST(CreateNewGroup, CutShortListEndsInTheStoresReport) {
  testing::TestApp t;
  t.start();
  t.drives.write(t.app.ActiveListPath, "\"Parks\",\"ud2s88oew\"\r\n");
  CreateNewGroup(t.app, "Roads");
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("MODULE: CreateNewGroup Fennigate_Bookmark_Tool_Module "
                                       "Line : 3\r\n"),
            std::string::npos);
  EXPECT_FALSE(t.app.files.isOpen(1));
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
}

TEST(AddBookmark, EmptyNameWritesNothingAndSaysNothing) {
  testing::TestApp t;
  t.start();
  const std::string before = t.drives.read(t.app.ActiveListPath);
  AddBookmark(t.app, "Parks", "", 1, 2, 3, 4);
  EXPECT_EQ(t.drives.read(t.app.ActiveListPath), before);
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST(AddBookmark, ListThatCannotBeWrittenEndsInTheStoresReport) {
  testing::TestApp t;
  t.start();
  t.app.fs.setAttributes(t.app.ActiveListPath, platform::kReadOnly);
  AddBookmark(t.app, "Parks", "View", 1, 2, 3, 4);
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("MODULE: AddBookmark Fennigate_Bookmark_Tool_Module "
                                       "Line : 6\r\n"),
            std::string::npos);
  EXPECT_FALSE(t.app.files.isOpen(1));
}

}  // namespace
}  // namespace cw::store

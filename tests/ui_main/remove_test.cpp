#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "store/side_files.h"
#include "support/list_lines.h"
#include "support/test_app.h"
#include "ui/main/frm_main.h"

namespace cw::ui {
namespace {

using testing::bookmark;
using testing::group;
using testing::header;
using testing::removeBookmark;
using testing::TestApp;

const std::string kDefaultList = TestApp::programDir() + "bookmarks_default.bmk";

// The command clicked with `content` as the list it opens (the default list unless `list`
// names another, through the pointer file), so the window shows the list's groups.
class RemoveTest : public ::testing::Test {
 protected:
  RemoveTest() : t(TestApp::kOneMapDocument, "CD", "C") {}

  void start(const std::string& content, const std::string& list = kDefaultList) {
    t.drives.write(list, content);
    if (list != kDefaultList)
      t.drives.write(TestApp::programDir() + "config", "\"" + list + "\"\r\n");
    t.start();
    ASSERT_EQ(t.module.session.ActiveListPath, list);
  }
  FrmMain& window() { return t.window(); }
  std::string list() { return t.drives.read(t.module.session.ActiveListPath); }

  // Selects the first entry of that text; selecting a group lists its bookmarks.
  void select(ListBox& box, const std::string& text) {
    for (int i = 0; i < box.count(); ++i) {
      if (box.item(i) == text) return box.select(i);
    }
    FAIL() << "no entry " << text;
  }
  void choose(const std::string& groupName, const std::string& bookmarkName = "") {
    select(window().lstbxGroup(), groupName);
    if (!bookmarkName.empty()) select(window().lstbxExtentName(), bookmarkName);
  }

  // The two list boxes as the window shows them.
  std::string lists() {
    std::istringstream dump(window().dump());
    std::string out;
    for (std::string line; std::getline(dump, line);) {
      if (line.rfind("LIST ", 0) == 0) out += line + "\n";
    }
    return out;
  }

  void click(const char* button) {
    t.toolkit.messages.clear();
    window().fire(button, Event::kClick);
  }

  // Side files of a list as seen on disk.
  std::string ownFile(const std::string& listPath, const std::string& g, const std::string& b) {
    return store::LayerVisibilityPath(t.module.paths.ConfigDir, listPath, g, b);
  }
  std::string ownGroupDir(const std::string& listPath, const std::string& g) {
    return store::GroupSideDirectory(t.module.paths.ConfigDir, listPath, g);
  }
  void touch(const std::string& path) {
    t.drives.write(path, "\"b\",\"Main Map\",\"Roads\",\"False\"\r\n");
  }
  bool exists(const std::string& path) { return t.drives.exists(path); }

  TestApp t;
};

TEST_F(RemoveTest, RemoveBookmarkDropsEveryRecordOfThatGroupAndNameWithoutAsking) {
  const std::string keep = header() + group("Parks") + group("Roads") +
                           bookmark("Roads", "Riverside") + bookmark("Parks", "Harbour");
  start(header() + group("Parks") + group("Roads") + bookmark("Parks", "Riverside") +
        bookmark("Roads", "Riverside") + bookmark("Parks", "Harbour") +
        bookmark("Parks", "Riverside", "5,6,7,8"));
  choose("Parks", "Riverside");
  ASSERT_EQ(lists(),
            "LIST frmMain.lstbxExtentName [\"Harbour\", \"Riverside\", \"Riverside\"] "
            "selected \"Riverside\"\n"
            "LIST frmMain.lstbxGroup [\"Parks\", \"Roads\"] selected \"Parks\"\n");
  click("btnRemoveExtent");
  EXPECT_EQ(list(), keep);
  // Only the chosen entry leaves the list box; the group stays selected.
  EXPECT_EQ(lists(),
            "LIST frmMain.lstbxExtentName [\"Harbour\", \"Riverside\"] selected -\n"
            "LIST frmMain.lstbxGroup [\"Parks\", \"Roads\"] selected \"Parks\"\n");
  EXPECT_EQ(t.module.session.SelectedGroup, "Parks");
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST_F(RemoveTest, RemovingTheOnlyBookmarkKeepsTheGroup) {
  start(header() + group("Parks") + bookmark("Parks", "Riverside"));
  choose("Parks", "Riverside");
  click("btnRemoveExtent");
  EXPECT_EQ(list(), header() + group("Parks"));
  EXPECT_EQ(lists(),
            "LIST frmMain.lstbxExtentName [] selected -\n"
            "LIST frmMain.lstbxGroup [\"Parks\"] selected \"Parks\"\n");
}

TEST_F(RemoveTest, RemoveGroupKeepsOtherRecordsInOrder) {
  start(header() + group("Roads") + group("Parks") + bookmark("Roads", "Mill") +
        bookmark("Parks", "Riverside") + group("Docks") + removeBookmark("Parks", "Old") +
        bookmark("Docks", "Pier", "-1.5,0,2.25,") + header() + bookmark("Parks", "Harbour") +
        bookmark("parks", "Lower case") + bookmark("Roads", "Bridge"));
  choose("Parks", "Riverside");
  click("btnRemoveGroup");
  EXPECT_EQ(list(), header() + group("Roads") + bookmark("Roads", "Mill") + group("Docks") +
                        bookmark("Docks", "Pier", "-1.5,0,2.25,") + header() +
                        bookmark("parks", "Lower case") + bookmark("Roads", "Bridge"));
  EXPECT_EQ(lists(),
            "LIST frmMain.lstbxExtentName [] selected -\n"
            "LIST frmMain.lstbxGroup [\"Docks\", \"parks\", \"Roads\"] selected -\n");
  EXPECT_EQ(t.module.session.SelectedGroup, "Parks");
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST_F(RemoveTest, WithoutWriteAccessOrSelectionOnlyAMessageShows) {
  const std::string content = header() + group("Parks") + bookmark("Parks", "Riverside");
  start(content);
  const std::string shown = lists();
  struct Case {
    const char* button;
    const char* listPath;  // "" keeps the active list
    bool chooseGroup;
    std::string message;
  } cases[] = {
      {"btnRemoveExtent", "", false, "Please select a bookmark to remove"},
      {"btnRemoveExtent", "", true, "Please select a bookmark to remove"},
      {"btnRemoveGroup", "", false, "Please select a group to remove"},
      {"btnRemoveExtent", "C:\\missing\\a.bmk", true,
       "It seems you may not have write access to the current bookmark file: \r\n"
       "C:\\missing\\a.bmk"},
      {"btnRemoveGroup", "C:\\missing\\a.bmk", false,
       "It seems you may not have write access to the current bookmark file: \r\n"
       "C:\\missing\\a.bmk"},
  };
  for (const auto& c : cases) {
    t.module.session.ActiveListPath = kDefaultList;
    window().lstbxGroup().select(ListBox::kNone);
    window().lstbxExtentName().clear();
    if (c.chooseGroup) choose("Parks");
    if (*c.listPath) t.module.session.ActiveListPath = c.listPath;
    const std::string before = lists();
    click(c.button);
    EXPECT_EQ(t.toolkit.messages, std::vector<std::string>{c.message}) << c.button;
    EXPECT_EQ(lists(), before) << c.button;
    EXPECT_EQ(t.drives.read(kDefaultList), content) << c.button;
    EXPECT_FALSE(t.drives.exists("C:\\missing")) << c.button;
  }
}

// The list was cut short by another program since the window listed it.
TEST_F(RemoveTest, AFailingRewriteReportsAndLeavesListAndListBoxes) {
  start(header() + group("Parks") + bookmark("Parks", "Riverside"));
  const std::string cutShort = header() + group("Parks") + "\"Parks\",\"Riverside\",1,2\r\n";
  struct Case {
    const char* button;
    const char* module;
  } cases[] = {{"btnRemoveExtent", "btnRemoveExtent_Click frmMain Line : 6"},
               {"btnRemoveGroup", "btnRemoveGroup_Click frmMain Line : 5"}};
  for (const auto& c : cases) {
    choose("Parks", "Riverside");
    t.drives.write(kDefaultList, cutShort);
    const std::string before = lists();
    click(c.button);
    ASSERT_EQ(t.toolkit.messages.size(), 1u) << c.button;
    EXPECT_NE(t.toolkit.messages[0].find(std::string("MODULE: ") + c.module + "\r\n"),
              std::string::npos)
        << t.toolkit.messages[0];
    EXPECT_EQ(list(), cutShort) << c.button;
    EXPECT_EQ(lists(), before) << c.button;
    for (int n = 1; n <= 3; ++n) EXPECT_FALSE(t.module.files.isOpen(n)) << c.button;
    for (const auto& entry :
         std::filesystem::directory_iterator(t.drives.host(TestApp::programDir()))) {
      EXPECT_EQ(entry.path().filename().string().find("temp"), std::string::npos);
    }
    t.drives.write(kDefaultList, header() + group("Parks") + bookmark("Parks", "Riverside"));
  }
}

// Two lists on the program's drive share the group Parks and the bookmark Riverside, and an
// earlier version left its shared files of both names.
TEST_F(RemoveTest, RemovalDeletesOnlyTheActiveListsOwnSideFiles) {
  const std::string other = "C:\\lists\\other.bmk";
  start(header() + group("Parks") + group("Roads") + bookmark("Parks", "Riverside") +
        bookmark("Parks", "Harbour"));
  const std::string legacyRiverside = t.module.paths.ConfigDir + "Parks/Riverside";
  for (const auto& path :
       {ownFile(kDefaultList, "Parks", "Riverside"), ownFile(kDefaultList, "Parks", "Harbour"),
        ownFile(kDefaultList, "Roads", "Mill"), ownFile(other, "Parks", "Riverside"),
        legacyRiverside}) {
    touch(path);
  }

  choose("Parks", "Riverside");
  click("btnRemoveExtent");
  EXPECT_FALSE(exists(ownFile(kDefaultList, "Parks", "Riverside")));
  EXPECT_TRUE(exists(ownFile(kDefaultList, "Parks", "Harbour")));
  EXPECT_TRUE(exists(ownFile(other, "Parks", "Riverside")));
  EXPECT_TRUE(exists(legacyRiverside));

  choose("Parks");
  click("btnRemoveGroup");
  EXPECT_FALSE(exists(ownGroupDir(kDefaultList, "Parks")));
  EXPECT_TRUE(exists(ownFile(kDefaultList, "Roads", "Mill")));
  EXPECT_TRUE(exists(ownFile(other, "Parks", "Riverside")));
  EXPECT_TRUE(exists(legacyRiverside));
  EXPECT_TRUE(t.toolkit.messages.empty());
}

// A list without its own directory still answers with the earlier version's files; once a
// bookmark is removed that file no longer answers for it, while the group's other bookmarks
// keep theirs.
TEST_F(RemoveTest, RemovedBookmarkNoLongerReadsTheEarlierVersionsFile) {
  start(header() + group("Parks") + bookmark("Parks", "Riverside") + bookmark("Parks", "Harbour"));
  touch(t.module.paths.ConfigDir + "Parks/Riverside");
  touch(t.module.paths.ConfigDir + "Parks/Harbour");
  ASSERT_FALSE(store::LayerVisibilityFileToRead(t.module.services.fs, t.module.paths.ConfigDir,
                                                kDefaultList, "Parks", "Riverside")
                   .empty());

  choose("Parks", "Riverside");
  click("btnRemoveExtent");
  EXPECT_EQ(store::LayerVisibilityFileToRead(t.module.services.fs, t.module.paths.ConfigDir,
                                             kDefaultList, "Parks", "Riverside"),
            "");
  EXPECT_EQ(store::LayerVisibilityFileToRead(t.module.services.fs, t.module.paths.ConfigDir,
                                             kDefaultList, "Parks", "Harbour"),
            ownFile(kDefaultList, "Parks", "Harbour"));
  EXPECT_TRUE(exists(t.module.paths.ConfigDir + "Parks/Riverside"));
  EXPECT_TRUE(exists(t.module.paths.ConfigDir + "Parks/Harbour"));
}

TEST_F(RemoveTest, AListNotOnTheProgramsDriveTouchesNoSideFile) {
  const std::string onD = "D:\\maps\\parks.bmk";
  start(header() + group("Parks") + group("Roads") + bookmark("Parks", "Riverside") +
            bookmark("Roads", "Mill"),
        onD);
  touch(ownFile(onD, "Parks", "Riverside"));
  touch(ownFile(onD, "Roads", "Mill"));
  touch(t.module.paths.ConfigDir + "Parks/Riverside");

  choose("Parks", "Riverside");
  click("btnRemoveExtent");
  choose("Roads");
  click("btnRemoveGroup");
  EXPECT_EQ(list(), header() + group("Parks"));
  EXPECT_TRUE(exists(ownFile(onD, "Parks", "Riverside")));
  EXPECT_TRUE(exists(ownFile(onD, "Roads", "Mill")));
  EXPECT_TRUE(exists(t.module.paths.ConfigDir + "Parks/Riverside"));
  EXPECT_TRUE(t.toolkit.messages.empty());
}

}  // namespace
}  // namespace cw::ui

// Bad program files as the command starts: the file that names the list to start with, and the
// directory of the side files.

#include <string>
#include <vector>

#include "catalogue/catalogue.h"

namespace cw::catalogue {
namespace {

std::function<void(Scene&)> configHolds(std::string bytes) {
  return [bytes](Scene& s) { s.write(TestApp::programDir() + "config", bytes); };
}

std::function<void(Scene&)> startsOn(std::string list, Names groups) {
  return [list, groups](Scene& s) {
    EXPECT_EQ(s.t.module.session.ActiveListPath, list);
    EXPECT_EQ(s.window().Text1().text(), list);
    EXPECT_EQ(s.groups(), groups);
  };
}

std::function<void(Scene&)> startsOnTheDefaultList() {
  return startsOn(TestApp::programDir() + "bookmarks_default.bmk", {"Home"});
}

std::vector<Row> settingsRows() {
  const std::string quotedList = "\"" + kList + "\"\r\n";
  const std::string configDirAsFile = TestApp::programDir() + "BookmarksConfig";
  return {
      {.name = "LastListFileNamesAMissingList",
       .input = "the list named to start with does not exist (its directory does)",
       .entry = Entry::kSettings,
       .arrange = configHolds("\"C:\\lists\\new.bmk\"\r\n"),
       .appended = header(),
       .alsoCheck = startsOn("C:\\lists\\new.bmk", {}),
       .list = "C:\\lists\\new.bmk"},
      {.name = "LastListFileNamesAMissingDirectory",
       .input = "the list named to start with lies in a directory that does not exist",
       .entry = Entry::kSettings,
       .arrange = configHolds("\"C:\\nowhere\\a.bmk\"\r\n"),
       .messages = {report(76, "Form_Load frmMain Line : 3")},
       .alsoCheck =
           [](Scene& s) {
             startsOn("C:\\nowhere\\a.bmk", {})(s);
             EXPECT_FALSE(s.t.drives.exists("C:\\nowhere"));
           },
       .list = "C:\\nowhere\\a.bmk"},
      {.name = "LastListFileNamesAMissingDrive",
       .input = "the list named to start with is on a drive that does not exist",
       .entry = Entry::kSettings,
       .arrange = configHolds("\"Q:\\lists\\a.bmk\"\r\n"),
       .messages = {report(68, "Form_Load frmMain Line : 3")},
       .alsoCheck = startsOn("Q:\\lists\\a.bmk", {})},
      {.name = "LastListFileNamesABadPath",
       .input = "the list named to start with holds a question mark",
       .entry = Entry::kSettings,
       .arrange = configHolds("\"C:\\lists\\a?.bmk\"\r\n"),
       .messages = {report(52, "Form_Load frmMain Line : 3")},
       .alsoCheck = startsOn("C:\\lists\\a?.bmk", {})},
      {.name = "LastListFileNamesTheListInOtherCase",
       .input = "the list named to start with differs from the file on disk in letter case",
       .entry = Entry::kSettings,
       .arrange = configHolds("\"c:\\LISTS\\A.BMK\"\r\n"),
       .alsoCheck = startsOn("c:\\LISTS\\A.BMK", {"Parks", "Roads"})},
      {.name = "LastListFileCutShort",
       .input = "the file naming the list ends inside its quoted path",
       .entry = Entry::kSettings,
       .arrange = configHolds("\"C:\\lists\\a.bm"),
       .messages = {report(62, "ICommand_OnClick CorbelwickBookmarks Line : 5")},
       .alsoCheck = startsOnTheDefaultList()},
      {.name = "LastListFileWithByteOrderMark",
       .input = "the file naming the list starts with a UTF-8 byte-order mark",
       .entry = Entry::kSettings,
       .arrange = configHolds("\xEF\xBB\xBF" + quotedList),
       .alsoCheck = startsOn(kList, {"Parks", "Roads"})},
      {.name = "LastListFileOfNulBytes",
       .input = "the file naming the list holds NUL bytes only",
       .entry = Entry::kSettings,
       .arrange = configHolds(std::string(8, '\0')),
       .messages = {report(52, "Form_Load frmMain Line : 3")},
       .alsoCheck = startsOn(std::string(8, '\0'), {})},
      {.name = "LastListFileEndsInAnEmptyRecord",
       .input = "the file naming the list holds a path and then the empty text",
       .entry = Entry::kSettings,
       .arrange = configHolds(quotedList + "\"\"\r\n"),
       .alsoCheck = startsOnTheDefaultList()},
      {.name = "LastListFileIsEmpty",
       .input = "the file naming the list is empty",
       .entry = Entry::kSettings,
       .arrange = configHolds(""),
       .alsoCheck = startsOnTheDefaultList()},
      {.name = "ConfigDirIsAFile",
       .input = "a file stands where the side files' directory belongs; a bookmark is added "
                "with and without layer visibilities",
       .entry = Entry::kSettings,
       .arrange = [configDirAsFile](Scene& s) { s.write(configDirAsFile, "not a directory"); },
       .act =
           [](Scene& s) {
             s.addGroup("Lakes");
             ASSERT_TRUE(s.selectGroup("Parks"));
             s.rememberVisibilities(true);
             s.addBookmark("Bridge");
             s.rememberVisibilities(false);
             s.addBookmark("Bridge");
           },
       .messages = {report(75, "AddBookmark Fennigate_Bookmark_Tool_Module Line : 5")},
       .appended = group("Lakes") + bookmark("Parks", "Bridge", "0,0,100,100"),
       .alsoCheck =
           [configDirAsFile](Scene& s) {
             EXPECT_EQ(s.read(configDirAsFile), "not a directory");
             EXPECT_EQ(s.bookmarks(), (Names{"Bridge", "Riverside"}));
           }},
  };
}

INSTANTIATE_TEST_SUITE_P(Settings, BadInput, ::testing::ValuesIn(settingsRows()), RowName());

}  // namespace
}  // namespace cw::catalogue

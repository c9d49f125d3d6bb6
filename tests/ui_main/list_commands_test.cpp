#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/corbelwick_bookmarks.h"
#include "command/module.h"
#include "store/side_files.h"
#include "support/failing_file_system.h"
#include "support/list_lines.h"
#include "support/test_app.h"

namespace cw::ui {
namespace {

using platform::MessageResult;
using testing::bookmark;
using testing::group;
using testing::header;
using testing::TestApp;
using Names = std::vector<std::string>;

const std::string kDefault = TestApp::programDir() + "bookmarks_default.bmk";
const std::string kTwoGroups =
    header() + group("Parks") + bookmark("Parks", "Riverside") + group("Roads");

bool reportsModule(const std::string& message, const std::string& label) {
  return message.find("\r\nMODULE: " + label + "\r\n") != std::string::npos;
}

// Starts the command on `list` (recorded in the pointer file unless it is the default list).
void startOn(TestApp& t, const std::string& list, const std::string& content) {
  t.drives.write(list, content);
  if (list != kDefault) t.drives.write(TestApp::programDir() + "config", "\"" + list + "\"\r\n");
  t.start();
}

// A layer-visibility file in the side-file area of `list`.
std::string writeSideFile(TestApp& t, const std::string& list, const std::string& group) {
  std::string path = store::LayerVisibilityPath(t.module.paths.ConfigDir, list, group, "Riverside");
  t.drives.write(path, "\"Riverside\",\"Main Map\",\"Roads\",\"True\"\r\n");
  return path;
}

std::string clearQuestion(const std::string& list) {
  return "Delete all Groups and Bookmarks in active list?\r\n" + list;
}

TEST(ClearList, EmptiesTheListToItsHeaderAndDeletesOnlyItsOwnSideFiles) {
  TestApp t;
  startOn(t, kDefault, kTwoGroups);
  std::string ownParks = writeSideFile(t, kDefault, "Parks");
  std::string ownRoads = writeSideFile(t, kDefault, "Roads");
  std::string otherParks = writeSideFile(t, "C:\\Lists\\other.bmk", "Parks");
  std::string earlierParks = t.module.paths.ConfigDir + "Parks/Riverside";
  t.drives.write(earlierParks, "\"Riverside\",\"Main Map\",\"Roads\",\"True\"\r\n");
  t.window().lstbxGroup().select(0);

  t.toolkit.queueAnswer(MessageResult::kYes);
  t.window().fire("btnNewList", Event::kClick);

  EXPECT_EQ(t.toolkit.messages, Names{clearQuestion(kDefault)});
  EXPECT_EQ(t.drives.read(kDefault), header());
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
  EXPECT_EQ(t.window().lstbxExtentName().count(), 0);
  EXPECT_EQ(t.window().Text1().text(), kDefault);
  EXPECT_FALSE(t.drives.exists(ownParks));
  EXPECT_FALSE(
      t.drives.exists(store::GroupSideDirectory(t.module.paths.ConfigDir, kDefault, "Parks")));
  EXPECT_FALSE(
      t.drives.exists(store::GroupSideDirectory(t.module.paths.ConfigDir, kDefault, "Roads")));
  EXPECT_FALSE(t.drives.exists(ownRoads));
  EXPECT_TRUE(t.drives.exists(otherParks));
  EXPECT_TRUE(t.drives.exists(earlierParks));
  EXPECT_TRUE(t.drives.exists(t.module.paths.ConfigDir));
  EXPECT_EQ(t.module.session.ActiveListPath, kDefault);
  for (int n = 1; n <= 3; ++n) EXPECT_FALSE(t.module.files.isOpen(n));
}

// Another program may have added a group since the window listed its groups: the clear empties
// the whole list, so that group's side files go too.
TEST(ClearList, DeletesTheSideFilesOfAGroupAnotherProgramAddedSinceTheWindowListed) {
  TestApp t;
  startOn(t, kDefault, kTwoGroups);
  t.drives.write(kDefault, kTwoGroups + group("Theirs") + bookmark("Theirs", "Riverside"));
  std::string theirs = writeSideFile(t, kDefault, "Theirs");
  ASSERT_EQ(t.window().lstbxGroup().items(), (Names{"Parks", "Roads"}));

  t.toolkit.queueAnswer(MessageResult::kYes);
  t.window().fire("btnNewList", Event::kClick);

  EXPECT_EQ(t.drives.read(kDefault), header());
  EXPECT_FALSE(t.drives.exists(theirs));
  EXPECT_FALSE(
      t.drives.exists(store::GroupSideDirectory(t.module.paths.ConfigDir, kDefault, "Theirs")));
}

TEST(ClearList, ListOnAnotherDriveKeepsEverySideFile) {
  TestApp t(TestApp::kOneMapDocument, "CD", "C");
  const std::string list = "D:\\Lists\\d.bmk";
  startOn(t, list, kTwoGroups);
  std::string side = writeSideFile(t, list, "Parks");
  t.toolkit.queueAnswer(MessageResult::kYes);
  t.window().fire("btnNewList", Event::kClick);
  EXPECT_EQ(t.drives.read(list), header());
  EXPECT_TRUE(t.drives.exists(side));
}

TEST(ClearList, NoOrNoWriteAccessChangesNothing) {
  struct Case {
    bool readOnly;
    Names messages;
  } cases[] = {
      {false, {clearQuestion(kDefault)}},
      {true,
       {"It seems you may not have write access to the current bookmark file: \r\n" + kDefault}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.readOnly ? "read-only" : "No");
    TestApp t;
    startOn(t, kDefault, kTwoGroups);
    std::string side = writeSideFile(t, kDefault, "Parks");
    if (c.readOnly) t.drives.fs().setAttributes(kDefault, platform::kReadOnly);
    if (!c.readOnly) t.toolkit.queueAnswer(MessageResult::kNo);
    t.window().fire("btnNewList", Event::kClick);
    EXPECT_EQ(t.toolkit.messages, c.messages);
    EXPECT_EQ(t.drives.read(kDefault), kTwoGroups);
    EXPECT_EQ(t.window().lstbxGroup().items(), Names({"Parks", "Roads"}));
    EXPECT_TRUE(t.drives.exists(side));
  }
}

TEST(ClearList, FailedRewriteIsReportedAndLeavesTheListWhole) {
  TestApp t;
  t.drives.write(kDefault, kTwoGroups);
  testing::FailingFileSystem failing(t.drives.fs());
  Module module(failing, t.toolkit, t.toolkit, t.host);
  CorbelwickBookmarks command(module);
  command.OnCreate(&t.host);
  command.OnClick();

  failing.failReplace = true;
  t.toolkit.queueAnswer(MessageResult::kYes);
  module.mainWindow->fire("btnNewList", Event::kClick);
  ASSERT_EQ(t.toolkit.messages.size(), 2u);
  EXPECT_TRUE(reportsModule(t.toolkit.messages[1], "btnNewList_Click frmMain Line : 5"));
  EXPECT_EQ(t.drives.read(kDefault), kTwoGroups);
  for (int n = 1; n <= 3; ++n) EXPECT_FALSE(module.files.isOpen(n));
  module.mainWindow.reset();
}

TEST(ResetList, YesMakesTheDefaultListActiveWithoutWriting) {
  TestApp t;
  t.drives.write(kDefault, header() + group("Home"));
  startOn(t, "C:\\Lists\\other.bmk", kTwoGroups);
  const std::string pointer = t.drives.read(TestApp::programDir() + "config");

  t.toolkit.queueAnswer(MessageResult::kNo);
  t.window().fire("btnReset", Event::kClick);
  EXPECT_EQ(t.module.session.ActiveListPath, "C:\\Lists\\other.bmk");
  EXPECT_EQ(t.window().lstbxGroup().items(), Names({"Parks", "Roads"}));

  t.toolkit.queueAnswer(MessageResult::kYes);
  t.window().fire("btnReset", Event::kClick);
  EXPECT_EQ(t.toolkit.messages,
            Names(2,
                  "This will set your local, default bookmark list as the current list.  "
                  "Continue?"));
  EXPECT_EQ(t.module.session.ActiveListPath, kDefault);
  EXPECT_EQ(t.window().Text1().text(), kDefault);
  EXPECT_EQ(t.window().lstbxGroup().items(), Names{"Home"});
  EXPECT_EQ(t.drives.read(kDefault), header() + group("Home"));
  EXPECT_EQ(t.drives.read(TestApp::programDir() + "config"), pointer);
}

TEST(ResetList, MissingDefaultListIsReportedWithEmptyLists) {
  TestApp t;
  startOn(t, "C:\\Lists\\other.bmk", kTwoGroups);
  ASSERT_FALSE(t.drives.exists(kDefault));
  t.toolkit.queueAnswer(MessageResult::kYes);
  t.window().fire("btnReset", Event::kClick);
  ASSERT_EQ(t.toolkit.messages.size(), 2u);
  EXPECT_TRUE(reportsModule(t.toolkit.messages[1], "btnReset_Click frmMain Line : 5"))
      << t.toolkit.messages[1];
  EXPECT_EQ(t.module.session.ActiveListPath, kDefault);
  EXPECT_EQ(t.window().Text1().text(), kDefault);
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
  EXPECT_EQ(t.window().lstbxExtentName().count(), 0);
  EXPECT_FALSE(t.drives.exists(kDefault));
  EXPECT_FALSE(t.module.files.isOpen(1));
}

TEST(ListWindows, ClickWhileTheFlagIsSetOnlyShowsItsMessage) {
  struct Case {
    const char* button;
    bool Session::*flag;
    const char* message;
  } cases[] = {
      {"btnLoadList", &Session::OpenListWindowActive,
       "Open List window is already open.  Please find it."},
      {"btnSaveList", &Session::SaveListWindowActive,
       "Save List window is already open.  Please find it."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    TestApp t;
    startOn(t, kDefault, header());
    int shown = 0;
    t.toolkit.modalDriver = [&](Window& w) {
      ++shown;
      w.hide();
    };
    t.module.session.*c.flag = true;
    t.window().fire(c.button, Event::kClick);
    EXPECT_EQ(t.toolkit.messages, Names{c.message});
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(t.module.session.*c.flag);
    EXPECT_TRUE(t.module.windows.live().empty());
  }
}

// The flag says a list window is showing; a showing that fails must not leave it set, or the
// button would answer "already open" for as long as the host runs.
TEST(ListWindows, FailedShowingClearsTheFlagAndTheNextClickShowsTheWindow) {
  struct Case {
    const char* button;
    bool Session::*flag;
    const char* module;
  } cases[] = {
      {"btnLoadList", &Session::OpenListWindowActive, "btnLoadList_Click frmMain Line : 4"},
      {"btnSaveList", &Session::SaveListWindowActive, "btnSaveList_Click frmMain Line : 4"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    TestApp t;
    startOn(t, kDefault, header());
    t.toolkit.modalDriver = [](Window&) { throw Failure(err::kOutOfMemory, "Out of memory"); };
    t.window().fire(c.button, Event::kClick);
    ASSERT_EQ(t.toolkit.messages.size(), 1u);
    EXPECT_TRUE(reportsModule(t.toolkit.messages[0], c.module)) << t.toolkit.messages[0];
    EXPECT_FALSE(t.module.session.*c.flag);
    EXPECT_TRUE(t.module.windows.live().empty());

    int shown = 0;
    t.toolkit.modalDriver = [&](Window& w) {
      ++shown;
      EXPECT_TRUE(t.module.session.*c.flag);
      w.fire("btnCancel", Event::kClick);
    };
    t.window().fire(c.button, Event::kClick);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(t.toolkit.messages.size(), 1u);
    EXPECT_FALSE(t.module.session.*c.flag);
  }
}

}  // namespace
}  // namespace cw::ui

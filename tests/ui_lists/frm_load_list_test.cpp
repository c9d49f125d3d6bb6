#include "ui/lists/frm_load_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/failure.h"
#include "store/group_list.h"
#include "support/list_lines.h"
#include "support/test_app.h"

namespace cw::ui {
namespace {

using testing::bookmark;
using testing::group;
using testing::header;
using testing::TestApp;
using Names = std::vector<std::string>;

const std::string kOther = "C:\\Lists\\other.bmk";
const std::string kInvalid = "Please choose a valid bookmark file, .bmk";

bool reportsModule(const std::string& message, const std::string& label) {
  return message.find("\r\nMODULE: " + label + "\r\n") != std::string::npos;
}

// The command started on the default list holding the group Home; C:\Lists holds other.bmk.
class LoadListScene {
 public:
  LoadListScene() {
    t.drives.write(TestApp::programDir() + "bookmarks_default.bmk", header() + group("Home"));
    t.drives.write(kOther, header() + group("Parks") + bookmark("Parks", "Riverside"));
    t.start();
    startList = t.module.session.ActiveListPath;
  }

  // Presses Load List; `drive` acts in the window while it shows. It must leave it hidden.
  void withWindow(const std::function<void(FrmLoadList&)>& drive) {
    t.toolkit.modalDriver = [&](Window& shown) {
      ++shownCount;
      drive(dynamic_cast<FrmLoadList&>(shown));
    };
    t.window().fire("btnLoadList", Event::kClick);
  }

  // Points the window at C:\Lists and chooses a file there.
  static void choose(FrmLoadList& w, const std::string& name) {
    w.Dir1().navigate("C:\\Lists");
    for (int i = 0; i < w.File1().entryCount(); ++i) {
      if (w.File1().entryText(i) == name) return w.File1().select(i);
    }
    FAIL() << name << " is not listed";
  }

  std::string lastListFile() { return t.drives.read(TestApp::programDir() + "config"); }

  // Nothing of the active list changed.
  void expectUnchanged(const std::string& lastList) {
    EXPECT_EQ(t.module.session.ActiveListPath, startList);
    EXPECT_EQ(t.window().Text1().text(), startList);
    EXPECT_EQ(t.window().lstbxGroup().items(), Names{"Home"});
    EXPECT_EQ(lastListFile(), lastList);
    EXPECT_FALSE(t.module.session.OpenListWindowActive);
  }

  TestApp t;
  std::string startList;
  int shownCount = 0;
};

class LoadListTest : public ::testing::Test, public LoadListScene {};

TEST_F(LoadListTest, WindowStartsAtTheCurrentDirectoryAndFollowsDriveAndDirectory) {
  withWindow([&](FrmLoadList& w) {
    EXPECT_EQ(w.caption(), "Open Saved Bookmark File");
    EXPECT_EQ(w.Drive1().drive(), "C:");
    EXPECT_EQ(w.Dir1().path(), "C:\\");
    EXPECT_EQ(w.File1().path(), "C:\\");
    EXPECT_TRUE(t.module.session.OpenListWindowActive);

    w.Dir1().selectEntry(0);  // "Lists"
    EXPECT_EQ(w.Dir1().path(), "C:\\Lists");
    EXPECT_EQ(w.File1().path(), "C:\\Lists");
    EXPECT_EQ(w.File1().entries(), Names{"other.bmk"});
    w.fire("btnCancel", Event::kClick);
  });
  EXPECT_EQ(shownCount, 1);
}

TEST_F(LoadListTest, OpeningAValidListMakesItActiveAndRecordsOnlyIt) {
  t.drives.write(TestApp::programDir() + "config", "\"C:\\old.bmk\"\r\n\"C:\\older.bmk\"\r\n");
  withWindow([&](FrmLoadList& w) {
    choose(w, "other.bmk");
    w.fire("btnOpen", Event::kClick);
    EXPECT_FALSE(w.isVisible());
  });
  EXPECT_EQ(t.module.session.ActiveListPath, kOther);
  EXPECT_EQ(t.window().Text1().text(), kOther);
  EXPECT_EQ(t.window().lstbxGroup().items(), Names{"Parks"});
  EXPECT_EQ(t.window().lstbxExtentName().count(), 0);
  EXPECT_EQ(lastListFile(), "\"" + kOther + "\"\r\n");
  EXPECT_FALSE(t.module.session.OpenListWindowActive);
  EXPECT_TRUE(t.toolkit.messages.empty());
  for (int n = 1; n <= 3; ++n) EXPECT_FALSE(t.module.files.isOpen(n));
}

TEST_F(LoadListTest, DoubleClickOpensLikeTheOpenButton) {
  withWindow([&](FrmLoadList& w) {
    choose(w, "other.bmk");
    w.fire("File1", Event::kDblClick);
  });
  EXPECT_EQ(t.module.session.ActiveListPath, kOther);
  EXPECT_EQ(lastListFile(), "\"" + kOther + "\"\r\n");
}

TEST_F(LoadListTest, OnlyContentBeginningWithTheTagAndTenFieldsIsAList) {
  const std::string tags9 = [] {
    std::string s = "\"Bookmarks_v2.0\"";
    for (int i = 1; i < 9; ++i) s += ",\"Bookmarks_v2.0\"";
    return s + "\r\n";
  }();
  struct Case {
    const char* what;
    std::string content;
    bool valid;
  } cases[] = {
      {"header only", header(), true},
      {"header after a group", group("Parks") + header(), false},
      {"nine fields", tags9, false},
      {"wrong-case tag", "\"bookmarks_v2.0\"" + header().substr(16), false},
      {"empty file", "", false},
      {"tag unquoted", "Bookmarks_v2.0" + header().substr(16), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadListScene s;
    s.t.drives.write("C:\\Lists\\try.bmk", c.content);
    s.withWindow([&](FrmLoadList& w) {
      s.choose(w, "try.bmk");
      w.fire("btnOpen", Event::kClick);
      EXPECT_EQ(w.isVisible(), !c.valid);
      if (w.isVisible()) w.fire("btnCancel", Event::kClick);
    });
    if (c.valid) {
      EXPECT_TRUE(s.t.toolkit.messages.empty());
      EXPECT_EQ(s.t.module.session.ActiveListPath, "C:\\Lists\\try.bmk");
      EXPECT_EQ(s.t.window().lstbxGroup().count(), 0);
    } else {
      EXPECT_EQ(s.t.toolkit.messages, Names{kInvalid});
      s.expectUnchanged("");
    }
  }
}

// Opening shows the groups the group list would read from the file, whatever the file holds.
TEST_F(LoadListTest, OpenedListShowsTheGroupsTheGroupListReads) {
  using testing::removeBookmark;
  using testing::removeGroup;
  struct Case {
    const char* what;
    std::string content;
  } cases[] = {
      {"groups, bookmarks and removals",
       header() + group("Parks") + bookmark("Roads", "Mill") + removeGroup("Parks") +
           group("parks") + removeBookmark("Roads", "Mill") + header() + group("Zoo")},
      {"removal before the group", header() + removeGroup("Zoo") + group("Zoo") + group("Bay")},
      {"numbers, empty names and blank lines",
       header() + "\r\n7,\"B\",1,2,3,4,,,,\r\n0,\"B\",1,2,3,4,,,,\r\n,\"B\",,,,,,,,\r\n" +
           "\"\",\"B\",,,,,,,,\r\n  \"7\" ,\"ud2s88oew\",,,,,,,,\r\n"},
      {"a group named like the tag further on", header() + "\"X\",\"Bookmarks_v2.0\",,,,,,,,\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadListScene s;
    s.t.drives.write("C:\\Lists\\try.bmk", c.content);
    s.withWindow([&](FrmLoadList& w) {
      s.choose(w, "try.bmk");
      w.fire("btnOpen", Event::kClick);
    });
    ASSERT_TRUE(s.t.toolkit.messages.empty()) << s.t.toolkit.messages[0];
    const Names opened = s.t.window().lstbxGroup().items();
    s.t.window().LoadGroupList();
    EXPECT_EQ(opened, s.t.window().lstbxGroup().items());
    EXPECT_FALSE(opened.empty());
  }
}

// A list whose last record is cut short becomes active and then fails where the group list is
// read, with both lists empty and the next start unchanged.
TEST_F(LoadListTest, ListCutShortIsReportedWhereTheGroupListIsRead) {
  t.drives.write("C:\\Lists\\cut.bmk", header() + group("Parks") + "\"Parks\",\"A\",1,2\r\n");
  t.window().lstbxGroup().select(0);
  withWindow([&](FrmLoadList& w) {
    choose(w, "cut.bmk");
    w.fire("btnOpen", Event::kClick);
    EXPECT_TRUE(w.isVisible());
    w.fire("btnCancel", Event::kClick);
  });
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_TRUE(reportsModule(t.toolkit.messages[0], "btnOpen_Click frmLoad Line : 63"))
      << t.toolkit.messages[0];
  EXPECT_EQ(t.module.session.ActiveListPath, "C:\\Lists\\cut.bmk");
  EXPECT_EQ(t.window().Text1().text(), "C:\\Lists\\cut.bmk");
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
  EXPECT_EQ(t.window().lstbxExtentName().count(), 0);
  EXPECT_EQ(lastListFile(), "");
}

TEST_F(LoadListTest, NoChoiceAsksForOneAndKeepsTheWindow) {
  withWindow([&](FrmLoadList& w) {
    w.fire("btnOpen", Event::kClick);
    w.fire("File1", Event::kDblClick);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(t.module.session.OpenListWindowActive);
    w.fire("btnCancel", Event::kClick);
  });
  EXPECT_EQ(t.toolkit.messages,
            Names({"Please select a file to load.", "Please select a file to load."}));
  expectUnchanged("");
}

TEST_F(LoadListTest, CancelAndTheWindowsOwnCloseChangeNothing) {
  t.drives.write(TestApp::programDir() + "config", "\"" + startList + "\"\r\n");
  const std::string recorded = lastListFile();
  withWindow([&](FrmLoadList& w) {
    choose(w, "other.bmk");
    w.fire("btnCancel", Event::kClick);
  });
  expectUnchanged(recorded);
  withWindow([&](FrmLoadList& w) {
    choose(w, "other.bmk");
    w.closedByUser();
  });
  expectUnchanged(recorded);
  EXPECT_EQ(shownCount, 2);
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST_F(LoadListTest, SecondClickWhileTheWindowShowsOnlyPointsToIt) {
  withWindow([&](FrmLoadList& w) {
    t.window().fire("btnLoadList", Event::kClick);
    EXPECT_TRUE(w.isVisible());
    w.fire("btnCancel", Event::kClick);
  });
  EXPECT_EQ(shownCount, 1);
  EXPECT_EQ(t.toolkit.messages, Names{"Open List window is already open.  Please find it."});
  EXPECT_FALSE(t.module.session.OpenListWindowActive);
}

// A file that cannot be read is reported; the window stays, and a good choice then works.
TEST_F(LoadListTest, UnreadableChoiceIsReportedAndChangesNothing) {
  t.drives.write("C:\\Lists\\gone.bmk", header());
  t.drives.write("C:\\Lists\\locked.bmk", header());
  std::filesystem::permissions(t.drives.host("C:\\Lists\\locked.bmk"),
                               std::filesystem::perms::none);
  // Root reads anything, and Windows has no read permission to take away.
  bool lockedReadable = std::ifstream(t.drives.host("C:\\Lists\\locked.bmk")).is_open();
  struct Case {
    const char* file;
    const char* event;
    const char* label;
  } cases[] = {
      {"gone.bmk", "btnOpen", "btnOpen_Click frmLoad Line : 3"},
      {"gone.bmk", "File1", "File1_DblClick frmLoad Line : 3"},
      {"locked.bmk", "btnOpen", "btnOpen_Click frmLoad Line : 3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.event);
    if (std::string(c.file) == "locked.bmk" && lockedReadable) continue;
    t.toolkit.messages.clear();
    withWindow([&](FrmLoadList& w) {
      choose(w, c.file);
      // Chosen while it was a file; now a directory of that name stands there.
      if (std::string(c.file) == "gone.bmk") {
        std::filesystem::remove(t.drives.host("C:\\Lists\\gone.bmk"));
        t.drives.makeDirectory("C:\\Lists\\gone.bmk");
      }
      w.fire(c.event, std::string(c.event) == "File1" ? Event::kDblClick : Event::kClick);
      EXPECT_TRUE(w.isVisible());
      for (int n = 1; n <= 3; ++n) EXPECT_FALSE(t.module.files.isOpen(n));
      w.fire("btnCancel", Event::kClick);
    });
    ASSERT_EQ(t.toolkit.messages.size(), 1u);
    EXPECT_TRUE(reportsModule(t.toolkit.messages[0], c.label)) << t.toolkit.messages[0];
    expectUnchanged("");
    if (std::string(c.file) == "gone.bmk") {
      std::filesystem::remove(t.drives.host("C:\\Lists\\gone.bmk"));
      t.drives.write("C:\\Lists\\gone.bmk", header());
    }
  }
  withWindow([&](FrmLoadList& w) {
    choose(w, "other.bmk");
    w.fire("btnOpen", Event::kClick);
  });
  EXPECT_EQ(t.module.session.ActiveListPath, kOther);
}

TEST_F(LoadListTest, FailureWhileShowingIsReportedAndLeavesLoadListUsable) {
  t.toolkit.modalDriver = [](Window&) { throw Failure(err::kOutOfMemory, "Out of memory"); };
  t.window().fire("btnLoadList", Event::kClick);
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_TRUE(reportsModule(t.toolkit.messages[0], "btnLoadList_Click frmMain Line : 4"));
  EXPECT_FALSE(t.module.session.OpenListWindowActive);
  EXPECT_TRUE(t.module.windows.live().empty());
  withWindow([&](FrmLoadList& w) { w.fire("btnCancel", Event::kClick); });
  EXPECT_EQ(shownCount, 1);
}

}  // namespace
}  // namespace cw::ui

#include "ui/lists/frm_save_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "store/list_lock.h"
#include "store/side_files.h"
#include "support/list_lines.h"
#include "support/test_app.h"
#include "ui/lists/frm_load_list.h"

namespace cw::ui {
namespace {

using testing::bookmark;
using testing::group;
using testing::header;
using testing::TestApp;
using Names = std::vector<std::string>;

const std::string kActive = "C:\\Lists\\active.bmk";
const std::string kAlreadyOpen =
    "File is already open, so each change has been saved.  Please choose a new filename or "
    "Cancel.";
// Text, numbers of several forms and empty fields: the copy must keep each kind.
const std::string kActiveContent = header() + group("Mine") +
                                   bookmark("Mine", "Riverside", "-122.5,37.25,-122,37.75") +
                                   bookmark("Mine", "Tiny", "1E-20,0.5,0,12345678901234");

// The command started on C:\Lists\active.bmk (named by the pointer file).
class SaveListScene {
 public:
  explicit SaveListScene(const std::string& activeSpelling = kActive) {
    t.drives.write(kActive, kActiveContent);
    t.drives.write(TestApp::programDir() + "config", "\"" + activeSpelling + "\"\r\n");
    t.start();
  }

  // Presses Save List; `drive` acts in the window while it shows. It must leave it hidden.
  void withWindow(const std::function<void(FrmSaveList&)>& drive) {
    t.toolkit.modalDriver = [&](Window& shown) { drive(dynamic_cast<FrmSaveList&>(shown)); };
    t.window().fire("btnSaveList", Event::kClick);
  }

  // Types a name in the directory and presses Save.
  static void save(FrmSaveList& w, const std::string& directory, const std::string& name) {
    w.Dir1().navigate(directory);
    w.txtFileName().setText(name);
    w.fire("btnSave", Event::kClick);
  }

  TestApp t;
};

class SaveListTest : public ::testing::Test, public SaveListScene {};

TEST_F(SaveListTest, SaveCopiesEveryRecordAndMakesTheCopyActive) {
  withWindow([&](FrmSaveList& w) {
    EXPECT_EQ(w.caption(), "Save Bookmark List");
    EXPECT_EQ(w.Dir1().path(), "C:\\");
    EXPECT_TRUE(t.module.session.SaveListWindowActive);
    save(w, "C:\\Lists", "copy");
    EXPECT_FALSE(w.isVisible());
  });
  EXPECT_EQ(t.drives.read("C:\\Lists\\copy.bmk"), kActiveContent);
  EXPECT_EQ(t.drives.read(kActive), kActiveContent);
  EXPECT_EQ(t.module.session.ActiveListPath, "C:\\Lists\\copy.bmk");
  EXPECT_EQ(t.window().Text1().text(), "copy.bmk");
  EXPECT_EQ(t.window().lstbxGroup().items(), Names{"Mine"});
  EXPECT_FALSE(t.module.session.SaveListWindowActive);
  EXPECT_TRUE(t.toolkit.messages.empty());
  // The next start still opens the list recorded by the last open.
  EXPECT_EQ(t.drives.read(TestApp::programDir() + "config"), "\"" + kActive + "\"\r\n");
  for (int n = 1; n <= 3; ++n) EXPECT_FALSE(t.module.files.isOpen(n));
}

TEST_F(SaveListTest, ExtensionIsAlwaysAppended) {
  withWindow([&](FrmSaveList& w) { save(w, "C:\\Lists", "copy.bmk"); });
  EXPECT_EQ(t.module.session.ActiveListPath, "C:\\Lists\\copy.bmk.bmk");
  EXPECT_EQ(t.window().Text1().text(), "copy.bmk.bmk");
  EXPECT_EQ(t.drives.read("C:\\Lists\\copy.bmk.bmk"), kActiveContent);
}

TEST_F(SaveListTest, EmptyNameIsRefusedAndCancelWritesNothing) {
  withWindow([&](FrmSaveList& w) {
    save(w, "C:\\Lists", "");
    EXPECT_TRUE(w.isVisible());
    w.txtFileName().setText("never");
    w.fire("btnCancel", Event::kClick);
  });
  EXPECT_EQ(t.toolkit.messages, Names{"Please enter a file name."});
  EXPECT_FALSE(t.drives.exists("C:\\Lists\\.bmk"));
  EXPECT_FALSE(t.drives.exists("C:\\Lists\\never.bmk"));
  EXPECT_EQ(t.module.session.ActiveListPath, kActive);
  EXPECT_EQ(t.window().Text1().text(), kActive);
  EXPECT_FALSE(t.module.session.SaveListWindowActive);
}

TEST_F(SaveListTest, TheWindowsOwnCloseActsAsCancel) {
  withWindow([&](FrmSaveList& w) { w.closedByUser(); });
  EXPECT_FALSE(t.module.session.SaveListWindowActive);
  withWindow([&](FrmSaveList& w) {
    t.window().fire("btnSaveList", Event::kClick);  // the second click only points to it
    w.fire("btnCancel", Event::kClick);
  });
  EXPECT_EQ(t.toolkit.messages, Names{"Save List window is already open.  Please find it."});
  EXPECT_FALSE(t.module.session.SaveListWindowActive);
}

// The active list under any spelling of its path is never appended to itself.
TEST(SaveList, ActiveListUnderAnySpellingIsRefused) {
  struct Case {
    std::string active;     // ActiveListPath as the pointer file spells it
    std::string directory;  // where the user points the window
    std::string name;       // what the user types
  } cases[] = {
      {kActive, "C:\\Lists", "active"},
      {"C:\\Lists\\ACTIVE.bmk", "C:\\Lists", "active"},
      {kActive, "C:\\LISTS", "Active"},
      {"C:/Lists/active.bmk", "C:\\Lists", "active"},
      {"C:\\Lists\\.\\active.bmk", "C:\\Lists", "active"},
      {"c:\\lists\\sub\\..\\active.BMK", "C:\\Lists", "active"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.active + " vs " + c.directory + "\\" + c.name);
    SaveListScene s(c.active);
    ASSERT_EQ(s.t.module.session.ActiveListPath, c.active);
    s.withWindow([&](FrmSaveList& w) {
      SaveListScene::save(w, c.directory, c.name);
      EXPECT_TRUE(w.isVisible());
      w.fire("btnCancel", Event::kClick);
    });
    EXPECT_EQ(s.t.toolkit.messages, Names{kAlreadyOpen});
    EXPECT_EQ(s.t.drives.read(kActive), kActiveContent);
    EXPECT_EQ(s.t.module.session.ActiveListPath, c.active);
  }
}

TEST_F(SaveListTest, SavingOntoAnotherListKeepsItsGroupsAndAddsTheCopied) {
  const std::string theirs = header() + group("Theirs") + bookmark("Theirs", "Dock");
  t.drives.write("C:\\Lists\\other.bmk", theirs);
  withWindow([&](FrmSaveList& w) { save(w, "C:\\Lists", "other"); });
  EXPECT_EQ(t.drives.read("C:\\Lists\\other.bmk"), theirs + kActiveContent);

  t.toolkit.modalDriver = [&](Window& shown) {
    auto& w = dynamic_cast<FrmLoadList&>(shown);
    w.Dir1().navigate("C:\\Lists");
    w.File1().select(w.File1().entries()[0] == "active.bmk" ? 1 : 0);
    ASSERT_EQ(w.File1().selectedName(), "other.bmk");
    w.fire("btnOpen", Event::kClick);
  };
  t.window().fire("btnLoadList", Event::kClick);
  EXPECT_EQ(t.module.session.ActiveListPath, "C:\\Lists\\other.bmk");
  EXPECT_EQ(t.window().lstbxGroup().items(), Names({"Mine", "Theirs"}));
}

TEST_F(SaveListTest, CopyOnTheProgramDriveKeepsTheRecordedLayerVisibilities) {
  const std::string recorded = "\"Riverside\",\"Main Map\",\"Roads\",\"False\"\r\n";
  std::string own =
      store::LayerVisibilityPath(t.module.paths.ConfigDir, kActive, "Mine", "Riverside");
  t.drives.write(own, recorded);
  withWindow([&](FrmSaveList& w) { save(w, "C:\\Lists", "copy"); });
  std::string copied = store::LayerVisibilityPath(t.module.paths.ConfigDir, "C:\\Lists\\copy.bmk",
                                                  "Mine", "Riverside");
  EXPECT_NE(copied, own);
  EXPECT_EQ(t.drives.read(copied), recorded);
  EXPECT_EQ(t.drives.read(own), recorded);
}

TEST_F(SaveListTest, TargetThatCannotBeWrittenIsReportedAndChangesNothing) {
  t.drives.makeDirectory("C:\\Lists\\taken.bmk");
  withWindow([&](FrmSaveList& w) {
    save(w, "C:\\Lists", "taken");
    EXPECT_TRUE(w.isVisible());
    for (int n = 1; n <= 3; ++n) EXPECT_FALSE(t.module.files.isOpen(n));
    w.fire("btnCancel", Event::kClick);
  });
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("\r\nMODULE: btnSave_Click frmSave Line : 6\r\n"),
            std::string::npos);
  EXPECT_EQ(t.module.session.ActiveListPath, kActive);
  EXPECT_EQ(t.window().Text1().text(), kActive);
}

// The copy is one moment of the active list: while another program changes either list, the
// save gives up with the message and makes no copy, not even the side files.
TEST_F(SaveListTest, WaitsForBothListsAndGivesUpWhileAnotherProgramChangesEither) {
  t.module.storage.lockWait = std::chrono::milliseconds(50);
  t.drives.write(store::LayerVisibilityPath(t.module.paths.ConfigDir, kActive, "Mine", "Riverside"),
                 "\"Riverside\",\"Main Map\",\"Roads\",\"False\"\r\n");
  const std::string copy = "C:\\Lists\\copy.bmk";
  for (const std::string& held : {copy, kActive}) {
    SCOPED_TRACE(held);
    auto other = t.module.services.fs.tryLock(store::ListLockPath(held));
    ASSERT_NE(other, nullptr);
    t.toolkit.messages.clear();
    withWindow([&](FrmSaveList& w) {
      save(w, "C:\\Lists", "copy");
      EXPECT_TRUE(w.isVisible());
      w.fire("btnCancel", Event::kClick);
    });
    EXPECT_EQ(t.toolkit.messages, Names{std::string(store::kListInUseMessage) + "\r\n" + held});
    EXPECT_FALSE(t.drives.exists(copy));
    EXPECT_FALSE(t.drives.exists(store::ListSideFileArea(t.module.paths.ConfigDir, copy)));
    EXPECT_EQ(t.module.session.ActiveListPath, kActive);
  }
}

}  // namespace
}  // namespace cw::ui

// Writes that fail half-way: each case strikes one write of a command and checks that the file
// it was writing holds exactly what it held before, and that the window shows nothing the
// list does not hold.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "faults/fault_scene.h"
#include "store/side_files.h"
#include "ui/lists/frm_load_list.h"
#include "ui/lists/frm_save_list.h"

namespace cw::faults {
namespace {

using platform::FileOperation;

bool contains(const std::vector<std::string>& items, const std::string& item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

bool reported(const Scene& s) {
  return std::any_of(s.toolkit.messages.begin(), s.toolkit.messages.end(),
                     [](const std::string& m) { return m.starts_with(kReportStart); });
}

struct Case {
  const char* name;
  std::function<void(Scene&)> prepare;
  std::function<void(platform::FaultInjectingFileSystem&)> arm;
  std::function<void(Scene&)> run;
  std::string file;         // the file that must keep its content
  std::string missingItem;  // a name neither list box may show afterwards
};

void save(Scene& s) {
  s.toolkit.modalDriver = [](ui::Window& shown) {
    auto& w = dynamic_cast<ui::FrmSaveList&>(shown);
    w.Dir1().navigate("C:\\Lists");
    w.txtFileName().setText("copy");
    w.fire("btnSave", Event::kClick);
    if (w.isVisible()) w.fire("btnCancel", Event::kClick);
  };
  s.window().fire("btnSaveList", Event::kClick);
}

void open(Scene& s) {
  s.toolkit.modalDriver = [](ui::Window& shown) {
    auto& w = dynamic_cast<ui::FrmLoadList&>(shown);
    w.Dir1().navigate("C:\\Lists");
    for (int i = 0; i < w.File1().entryCount(); ++i) {
      if (w.File1().entryText(i) == "other.bmk") w.File1().select(i);
    }
    w.fire("btnOpen", Event::kClick);
    if (w.isVisible()) w.fire("btnCancel", Event::kClick);
  };
  s.window().fire("btnLoadList", Event::kClick);
}

TEST(FailedWrites, LeaveTheFileAsItWasAndTheListBoxesWithoutTheName) {
  const auto addGroup = [](Scene& s) { s.window().fire("cmdbtnAddGroup", Event::kClick); };
  const auto addBookmark = [](Scene& s) { s.window().fire("cmdbtnAddCurExtent", Event::kClick); };
  const auto typeGroup = [](Scene& s) { s.toolkit.queueInput("Lakes"); };
  const auto typeBookmark = [](int remember) {
    return [remember](Scene& s) {
      s.selectGroup("Parks");
      s.window().chkViz().setValue(remember);
      s.toolkit.queueInput("Harbour");
    };
  };
  const std::vector<Case> cases{
      // 40 of the group record's 117 bytes reach the disk before it is full.
      {"group record cut short", typeGroup, [](auto& f) { f.failWritesAfter(40); }, addGroup, kList,
       "Lakes"},
      {"group record not made durable", typeGroup,
       [](auto& f) { f.failOperation(1, FileOperation::kFlush); }, addGroup, kList, "Lakes"},
      {"bookmark record cut short", typeBookmark(0), [](auto& f) { f.failWritesAfter(20); },
       addBookmark, kList, "Harbour"},
      // The bookmark record is written, its layer records then find the disk full.
      {"layer records cut short", typeBookmark(1), [](auto& f) { f.failWritesAfter(60); },
       addBookmark, kList, "Harbour"},
      {"layer-visibility file not closed", typeBookmark(1),
       [](auto& f) { f.failOperation(2, FileOperation::kClose); }, addBookmark, kList, "Harbour"},
      // Onto an existing list: after the side file, the copy's second record fails.
      {"saved copy cut short", [](Scene&) {},
       [](auto& f) { f.failOperation(3, FileOperation::kWrite); }, save, kCopy, ""},
      {"saved copy not made durable", [](Scene&) {},
       [](auto& f) { f.failOperation(1, FileOperation::kFlush); }, save, kCopy, ""},
      {"recorded choice not written", [](Scene&) {},
       [](auto& f) { f.failOperation(1, FileOperation::kWrite); }, open, kProgramDir + "config",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scene s;
    c.prepare(s);
    const std::string before = s.drives.read(c.file);
    c.arm(s.faults);
    c.run(s);
    EXPECT_EQ(s.faults.faultsFired(), 1u);
    EXPECT_TRUE(reported(s));
    EXPECT_EQ(s.drives.read(c.file), before);
    if (!std::string(c.missingItem).empty()) {
      EXPECT_FALSE(contains(s.window().lstbxGroup().items(), c.missingItem));
      EXPECT_FALSE(contains(s.window().lstbxExtentName().items(), c.missingItem));
    }
    // No layer-visibility file answers for a bookmark the list does not hold.
    EXPECT_FALSE(s.drives.fs().fileExists(
        store::LayerVisibilityPath(s.module.paths.ConfigDir, kList, "Parks", "Harbour")));
  }
}

// A side file copied for a saved list is whole or absent: a part of it would be kept as if it
// were whole, since later copies leave existing files alone.
TEST(FailedWrites, SaveLeavesNoPartOfACopiedSideFile) {
  Scene s;
  s.faults.failWritesAfter(10);
  save(s);
  EXPECT_TRUE(reported(s));
  const auto area = s.drives.host(kProgramDir + "BookmarksConfig\\lists");
  for (const auto& entry : std::filesystem::recursive_directory_iterator(area)) {
    if (!entry.is_regular_file()) continue;
    EXPECT_NE(entry.path().string().find("active-"), std::string::npos)
        << "a side file of the copy was left behind: " << entry.path();
  }
}

}  // namespace
}  // namespace cw::faults

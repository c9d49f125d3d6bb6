// Bad inputs of the commands on whole lists: the file name typed into the save-list window, and
// lists that Clear List cannot write.

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/file_system.h"
#include "ui/lists/frm_save_list.h"

namespace cw::catalogue {
namespace {

// Save List: types `name` in kListDir and presses Save; Cancel when the window stays.
std::function<void(Scene&)> saveAs(std::string name) {
  return [name](Scene& s) {
    s.t.toolkit.modalDriver = [&](ui::Window& shown) {
      auto& w = dynamic_cast<ui::FrmSaveList&>(shown);
      w.Dir1().navigate(kListDir);
      w.txtFileName().setText(name);
      w.fire("btnSave", ui::Event::kClick);
      if (w.isVisible()) w.fire("btnCancel", ui::Event::kClick);
    };
    s.window().fire("btnSaveList", ui::Event::kClick);
    s.t.toolkit.modalDriver = nullptr;
  };
}

// The active list is still kList, byte for byte the good list.
void keepsTheActiveList(Scene& s) {
  EXPECT_EQ(s.t.module.session.ActiveListPath, kList);
  EXPECT_EQ(s.window().Text1().text(), kList);
  EXPECT_EQ(s.read(kList), goodList());
  EXPECT_FALSE(s.t.module.session.SaveListWindowActive);
}

std::vector<Row> saveRows() {
  const std::string k300(300, 's');
  return {
      {.name = "EmptyName",
       .input = "no file name",
       .entry = Entry::kSaveWindow,
       .act = saveAs(""),
       .messages = {"Please enter a file name."},
       .alsoCheck = keepsTheActiveList},
      {.name = "QuestionMark",
       .input = "a file name holding a question mark",
       .entry = Entry::kSaveWindow,
       .act = saveAs("what?"),
       .messages = {report(52, "btnSave_Click frmSave Line : 6")},
       .alsoCheck = keepsTheActiveList},
      {.name = "Name300Characters",
       .input = "a file name of 300 characters",
       .entry = Entry::kSaveWindow,
       .act = saveAs(k300),
       .messages = {report(75, "btnSave_Click frmSave Line : 6")},
       .alsoCheck = keepsTheActiveList},
      {.name = "ActiveListInOtherCase",
       .input = "the active list's own name in capitals, which names the same file",
       .entry = Entry::kSaveWindow,
       .act = saveAs("A"),
       .messages = {"File is already open, so each change has been saved.  Please choose a new "
                    "filename or Cancel."},
       .alsoCheck = keepsTheActiveList},
      {.name = "ReadOnlyTarget",
       .input = "an existing read-only list as the target",
       .entry = Entry::kSaveWindow,
       .arrange =
           [](Scene& s) {
             s.write(kListDir + "\\locked.bmk", header() + group("Locked"));
             s.t.module.services.fs.setAttributes(kListDir + "\\locked.bmk", platform::kReadOnly);
           },
       .act = saveAs("locked"),
       .messages = {report(75, "btnSave_Click frmSave Line : 6")},
       .alsoCheck = keepsTheActiveList,
       .list = kListDir + "\\locked.bmk"},
      {.name = "ActiveListCutShort",
       .input = "the active list lost the end of its last record before the save",
       .entry = Entry::kSaveWindow,
       .arrange = [](Scene& s) { s.write(kListDir + "\\copy.bmk", header() + group("Kept")); },
       .tamper = [](Scene& s) { s.write(kList, goodList() + "\"Roads\",\"x\",1\r\n"); },
       .act = saveAs("copy"),
       .messages = {report(62, "btnSave_Click frmSave Line : 8")},
       .alsoCheck =
           [](Scene& s) {
             EXPECT_EQ(s.t.module.session.ActiveListPath, kList);
             EXPECT_EQ(s.read(kList), goodList() + "\"Roads\",\"x\",1\r\n");
           },
       .list = kListDir + "\\copy.bmk"},
  };
}

INSTANTIATE_TEST_SUITE_P(SaveWindow, BadInput, ::testing::ValuesIn(saveRows()), RowName());

std::vector<Row> clearRows() {
  auto clear = [](Scene& s) { s.window().fire("btnNewList", ui::Event::kClick); };
  const std::string noWriteAccess =
      "It seems you may not have write access to the current bookmark file: \r\n" + kList;
  auto keepsItsGroups = [](Scene& s) { EXPECT_EQ(s.groups(), (Names{"Parks", "Roads"})); };
  return {
      {.name = "ReadOnlyList",
       .input = "the active list became read-only",
       .entry = Entry::kClearList,
       .tamper = [](Scene& s) { s.t.module.services.fs.setAttributes(kList, platform::kReadOnly); },
       .act = clear,
       .messages = {noWriteAccess},
       .alsoCheck = keepsItsGroups},
      {.name = "ListReplacedByADirectory",
       .input = "the active list became a directory",
       .entry = Entry::kClearList,
       .tamper =
           [](Scene& s) {
             s.t.module.services.fs.deleteFile(kList);
             s.t.drives.makeDirectory(kList);
           },
       .act = clear,
       .messages = {noWriteAccess},
       .alsoCheck =
           [keepsItsGroups](Scene& s) {
             keepsItsGroups(s);
             EXPECT_TRUE(s.t.module.services.fs.directoryExists(kList));
           }},
  };
}

INSTANTIATE_TEST_SUITE_P(ClearList, BadInput, ::testing::ValuesIn(clearRows()), RowName());

}  // namespace
}  // namespace cw::catalogue

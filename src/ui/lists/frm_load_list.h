#pragma once

#include <memory>

#include "ui/controls/file_lists.h"
#include "ui/controls/window.h"

namespace cw {
class Module;
}
namespace cw::errors {
class ErrorTrap;
}

namespace cw::ui {

// The one description of the open-list window.
const WindowSpec& frmLoadListSpec();

// The open-list window: the user picks a bookmark list file anywhere on the machine; a valid one
// becomes the active list, is loaded into the bookmarks window and is recorded for the next
// start. Shown modally by Load List, a new object for each showing.
class FrmLoadList : public Window {
 public:
  explicit FrmLoadList(Module& module);

  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  void File1_DblClick();
  void btnOpen_Click();
  void btnCancel_Click();
  // The window's own close control does what Cancel does.
  void closedByUser() override;

  DriveList& Drive1() { return get<DriveList>("Drive1"); }
  DirectoryList& Dir1() { return get<DirectoryList>("Dir1"); }
  FileList& File1() { return get<FileList>("File1"); }

 protected:
  void Form_Load() override;
  std::unique_ptr<Control> makeControl(const ControlSpec& spec) override;

 private:
  // Checks the chosen file and, when it is a bookmark list, makes it the active list; the
  // caller's trap follows its steps.
  void openChosenList(errors::ErrorTrap& trap);

  Module& module_;
};

}  // namespace cw::ui

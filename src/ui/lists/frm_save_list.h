#pragma once

#include <memory>

#include "ui/controls/file_lists.h"
#include "ui/controls/simple_controls.h"
#include "ui/controls/window.h"

namespace cw {
class Module;
}

namespace cw::ui {

// The one description of the save-list window.
const WindowSpec& frmSaveListSpec();

// The save-list window: writes a copy of the active list under a new name in a directory the
// user picks, and makes the copy the active list. Shown modally by Save List, a new object for
// each showing.
class FrmSaveList : public Window {
 public:
  explicit FrmSaveList(Module& module);

  void Drive1_Change();
  void Dir1_Change();
  void btnSave_Click();
  void btnCancel_Click();
  // The window's own close control does what Cancel does.
  void closedByUser() override;

  DriveList& Drive1() { return get<DriveList>("Drive1"); }
  DirectoryList& Dir1() { return get<DirectoryList>("Dir1"); }
  FileList& File1() { return get<FileList>("File1"); }
  TextBox& txtFileName() { return get<TextBox>("txtFileName"); }

 protected:
  void Form_Load() override;
  std::unique_ptr<Control> makeControl(const ControlSpec& spec) override;

 private:
  Module& module_;
};

}  // namespace cw::ui

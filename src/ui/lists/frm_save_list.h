#pragma once

#include "ui/controls/simple_controls.h"
#include "ui/lists/list_file_window.h"

namespace cw::ui {

// The one description of the save-list window.
const WindowSpec& frmSaveListSpec();

// The save-list window: writes a copy of the active list under a new name in a directory the
// user picks, and makes the copy the active list. Shown modally by Save List.
class FrmSaveList : public ListFileWindow {
 public:
  explicit FrmSaveList(const ListWindowParts& parts);

  void btnSave_Click();

  TextBox& txtFileName() { return get<TextBox>("txtFileName"); }
};

}  // namespace cw::ui

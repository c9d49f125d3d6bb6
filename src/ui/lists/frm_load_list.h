#pragma once

#include "ui/lists/list_file_window.h"

namespace cw::errors {
class ErrorTrap;
}

namespace cw::ui {

// The one description of the open-list window.
const WindowSpec& frmLoadListSpec();

// The open-list window: the user picks a bookmark list file anywhere on the machine; a valid one
// becomes the active list, is loaded into the bookmarks window and is recorded for the next
// start. Shown modally by Load List.
class FrmLoadList : public ListFileWindow {
 public:
  explicit FrmLoadList(const ListWindowParts& parts);

  void File1_Click();
  void File1_DblClick();
  void btnOpen_Click();

 private:
  // Checks the chosen file and, when it is a bookmark list, makes it the active list; the
  // caller's trap follows its steps.
  void openChosenList(errors::ErrorTrap& trap);
};

}  // namespace cw::ui

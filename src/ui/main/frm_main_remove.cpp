#include <string>

#include "command/app_state.h"
#include "errors/error_trap.h"
#include "store/file_utilities.h"
#include "store/list_format.h"
#include "store/list_rewrite.h"
#include "store/side_files.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

// True (and the user told) when the list cannot be written.
bool refusedWriteAccess(AppState& app, const std::string& path) {
  if (store::fCanWriteFile(app, path) >= 1) return false;
  app.toolkit.messageBox(
      "It seems you may not have write access to the current bookmark file: \r\n" + path,
      platform::MessageButtons::kOk);
  return true;
}

}  // namespace

// Deletes the selected bookmark of the shown group: every record of that group and name, its
// entry, then its layer-visibility file.
void FrmMain::btnRemoveExtent_Click() {
  errors::ErrorTrap trap(app_, "btnRemoveExtent_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    const std::string path = app_.ActiveListPath;
    trap.at(1);
    if (refusedWriteAccess(app_, path)) return;
    trap.at(2);
    app_.SelectedGroup = lstbxGroup().selectedText();
    trap.at(3);
    const int index = lstbxExtentName().selectedIndex();
    if (index == ListBox::kNone) {
      app_.toolkit.messageBox("Please select a bookmark to remove", platform::MessageButtons::kOk);
      return;
    }
    trap.at(4);
    const std::string name = lstbxExtentName().item(index);
    const std::string group = app_.SelectedGroup;

    trap.at(6);
    store::RewriteList(app_, path, [&](const store::Record& record) {
      return !(record[1].equals(name) && record[0].equals(group));
    });
    trap.at(7);
    lstbxExtentName().removeItem(index);
    // Only this list's own file goes, and only once the list no longer holds the bookmark: a
    // failed rewrite keeps its recorded visibilities. Its group directory is made first
    // (taking over an earlier version's files), so the earlier version's shared file of this
    // name no longer answers for this list once the bookmark is gone.
    trap.at(5);
    if (app_.activeListOnProgramDrive() && !group.empty()) {
      store::EnsureGroupSideDirectory(app_, path, group);
      store::fDeleteFile(app_, store::LayerVisibilityPath(app_, path, group, name));
    }
  });
}

// Deletes the selected group: every record naming it, its entry, then its side-file directory.
void FrmMain::btnRemoveGroup_Click() {
  errors::ErrorTrap trap(app_, "btnRemoveGroup_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    const std::string path = app_.ActiveListPath;
    trap.at(1);
    if (refusedWriteAccess(app_, path)) return;
    trap.at(2);
    const int index = lstbxGroup().selectedIndex();
    if (index == ListBox::kNone) {
      app_.toolkit.messageBox("Please select a group to remove", platform::MessageButtons::kOk);
      return;
    }
    trap.at(3);
    const std::string group = lstbxGroup().item(index);
    trap.at(5);
    store::RewriteList(app_, path,
                       [&](const store::Record& record) { return !record[0].equals(group); });
    trap.at(6);
    lstbxExtentName().clear();
    lstbxGroup().removeItem(index);
    // The side files go once the list no longer names the group: a failed rewrite keeps them.
    // A group without a name has no directory of its own; its path would be the whole list's.
    trap.at(4);
    if (app_.activeListOnProgramDrive() && !group.empty()) {
      store::fDeleteDirectory(app_, store::GroupSideDirectory(app_, path, group));
    }
  });
}

}  // namespace cw::ui

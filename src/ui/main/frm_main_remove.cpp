#include <string>

#include "errors/error_trap.h"
#include "store/file_utilities.h"
#include "store/list_format.h"
#include "store/list_lock.h"
#include "store/list_rewrite.h"
#include "store/side_files.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

}  // namespace

// Deletes the selected bookmark of the shown group: every record of that group and name, its
// entry, then its layer-visibility file.
void FrmMain::btnRemoveExtent_Click() {
  errors::ErrorTrap trap(parts_.report, "btnRemoveExtent_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    const std::string path = parts_.session.ActiveListPath;
    trap.at(1);  // refuse a list we cannot write
    if (refusedWriteAccess(path)) return;
    trap.at(2);  // take the selected group
    parts_.session.SelectedGroup = lstbxGroup().selectedText();
    trap.at(3);  // refuse when no bookmark is selected
    const int index = lstbxExtentName().selectedIndex();
    if (index == ListBox::kNone) {
      tell("Please select a bookmark to remove");
      return;
    }
    trap.at(4);  // take the bookmark's name
    const std::string name = lstbxExtentName().item(index);
    const std::string group = parts_.session.SelectedGroup;
    store::ListLock lock(parts_.storage, path);
    if (!lock.acquired()) return;

    trap.at(6);  // rewrite the list without its records
    store::RewriteList(parts_.storage.fs, path, [&](const store::Record& record) {
      return !(record[1].equals(name) && record[0].equals(group));
    });
    trap.at(7);  // drop it from the bookmark list box
    lstbxExtentName().removeItem(index);
    // Only this list's own file goes, and only once the list no longer holds the bookmark: a
    // failed rewrite keeps its recorded visibilities. Its group directory is made first
    // (taking over an earlier version's files), so the earlier version's shared file of this
    // name no longer answers for this list once the bookmark is gone.
    trap.at(5);  // delete its layer-visibility file
    if (parts_.paths.onProgramDrive(parts_.session.ActiveListPath) && !group.empty()) {
      store::EnsureGroupSideDirectory(parts_.storage.fs, parts_.paths.ConfigDir, path, group);
      store::fDeleteFile(
          parts_.storage,
          store::LayerVisibilityPath(parts_.storage.fs, parts_.paths.ConfigDir, path, group, name));
    }
  });
}

// Deletes the selected group: every record naming it, its entry, then its side-file directory.
void FrmMain::btnRemoveGroup_Click() {
  errors::ErrorTrap trap(parts_.report, "btnRemoveGroup_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    const std::string path = parts_.session.ActiveListPath;
    trap.at(1);  // refuse a list we cannot write
    if (refusedWriteAccess(path)) return;
    trap.at(2);  // refuse when no group is selected
    const int index = lstbxGroup().selectedIndex();
    if (index == ListBox::kNone) {
      tell("Please select a group to remove");
      return;
    }
    trap.at(3);  // take the group's name
    const std::string group = lstbxGroup().item(index);
    store::ListLock lock(parts_.storage, path);
    if (!lock.acquired()) return;
    trap.at(5);  // rewrite the list without its records
    store::RewriteList(parts_.storage.fs, path,
                       [&](const store::Record& record) { return !record[0].equals(group); });
    trap.at(6);  // drop it from the list boxes
    lstbxExtentName().clear();
    lstbxGroup().removeItem(index);
    // The side files go once the list no longer names the group: a failed rewrite keeps them.
    // A group without a name has no directory of its own; its path would be the whole list's.
    trap.at(4);  // delete its side-file directory
    if (parts_.paths.onProgramDrive(parts_.session.ActiveListPath) && !group.empty()) {
      store::fDeleteDirectory(
          parts_.storage,
          store::GroupSideDirectory(parts_.storage.fs, parts_.paths.ConfigDir, path, group));
    }
  });
}

}  // namespace cw::ui

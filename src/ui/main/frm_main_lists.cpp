#include <string>
#include <vector>

#include "errors/error_trap.h"
#include "store/file_utilities.h"
#include "store/list_format.h"
#include "store/list_lock.h"
#include "store/list_rewrite.h"
#include "store/side_files.h"
#include "ui/controls/window_registry.h"
#include "ui/lists/frm_load_list.h"
#include "ui/lists/frm_save_list.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

// Shows a new list window modally under its flag. The flag says the window is showing, so it is
// cleared again however the showing ends: the window clears it on Cancel and on success, and a
// failure while showing must not leave the button saying "already open" for good.
template <class ListWindow>
void showListWindow(const MainWindowParts& parts, errors::ErrorTrap& trap, bool& flag,
                    const char* openMessage) {
  trap.at(1);  // one window at a time
  if (flag) {
    parts.boxes.messageBox(openMessage, platform::MessageButtons::kOk);
    return;
  }
  trap.at(2);  // mark the window as showing
  flag = true;
  struct ClearFlag {
    bool& flag;
    ~ClearFlag() { flag = false; }
  } clearFlag{flag};
  trap.at(3);  // close the list
  parts.storage.files.close(1);
  trap.at(4);  // show the window until it closes
  ListWindow window(listWindowPartsOf(parts));
  LiveWindow live(parts.windows, window);
  parts.boxes.showModal(window);
}

}  // namespace

void FrmMain::btnNewList_Click() {
  errors::ErrorTrap trap(parts_.report, "btnNewList_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    const std::string path = parts_.session.ActiveListPath;
    trap.at(1);  // refuse a list we cannot write
    if (refusedWriteAccess(path)) return;
    trap.at(2);  // ask before clearing the list
    if (!ask("Delete all Groups and Bookmarks in active list?\r\n" + path)) return;
    store::ListLock lock(parts_.storage, path);
    if (!lock.acquired()) return;
    trap.at(3);  // remember the groups, also those another program added
    const std::vector<std::string> groups = groupsOfActiveList();
    trap.at(4);  // empty the list boxes
    lstbxGroup().clear();
    lstbxExtentName().clear();
    // The list becomes its header record in one step: a failure leaves the old list whole.
    trap.at(5);  // cut the list down to its header
    store::ReplaceListContent(parts_.storage.fs, path, {store::headerRecord()});
    // Only this list's own group directories go, and only once the list is empty: a failed
    // clear keeps the recorded visibilities of the list it keeps. Other lists on the program's
    // drive and the files of an earlier version keep theirs.
    trap.at(3);  // delete the groups' side-file directories
    if (parts_.paths.onProgramDrive(parts_.session.ActiveListPath)) {
      for (const auto& group : groups) {
        store::fDeleteDirectory(
            parts_.storage,
            store::GroupSideDirectory(parts_.storage.fs, parts_.paths.ConfigDir, path, group));
      }
    }
    trap.at(7);  // show the list's path
    Text1().setText(path);
    trap.at(8);  // make the configuration directory
    if (!store::fDoesDirectoryExist(parts_.storage, parts_.paths.ConfigDir)) {
      store::fCreateDirectory(parts_.storage, parts_.paths.ConfigDir);
    }
    trap.at(9);  // close every file
    parts_.storage.files.closeAll();
  });
}

void FrmMain::btnReset_Click() {
  errors::ErrorTrap trap(parts_.report, "btnReset_Click", kUnit, {1});
  trap.run([&] {
    trap.at(1);  // ask before switching lists
    if (!ask("This will set your local, default bookmark list as the current list.  Continue?")) {
      return;
    }
    trap.at(2);  // empty the list boxes
    lstbxGroup().clear();
    lstbxExtentName().clear();
    trap.at(3);  // switch to the default list
    parts_.session.ActiveListPath = parts_.paths.DefaultListPath();
    trap.at(4);  // show its path
    Text1().setText(parts_.session.ActiveListPath);
    trap.at(5);  // list its groups
    LoadGroupList();
  });
}

void FrmMain::btnLoadList_Click() {
  errors::ErrorTrap trap(parts_.report, "btnLoadList_Click", kUnit);
  trap.run([&] {
    showListWindow<FrmLoadList>(parts_, trap, parts_.session.OpenListWindowActive,
                                "Open List window is already open.  Please find it.");
  });
}

void FrmMain::btnSaveList_Click() {
  errors::ErrorTrap trap(parts_.report, "btnSaveList_Click", kUnit);
  trap.run([&] {
    showListWindow<FrmSaveList>(parts_, trap, parts_.session.SaveListWindowActive,
                                "Save List window is already open.  Please find it.");
  });
}

}  // namespace cw::ui

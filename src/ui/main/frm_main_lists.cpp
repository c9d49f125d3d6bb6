#include <string>
#include <vector>

#include "command/app_state.h"
#include "errors/error_trap.h"
#include "store/file_utilities.h"
#include "store/group_list.h"
#include "store/list_format.h"
#include "store/list_rewrite.h"
#include "store/side_files.h"
#include "ui/controls/live_window.h"
#include "ui/lists/frm_load_list.h"
#include "ui/lists/frm_save_list.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

// Shows a new list window modally under its flag. The flag says the window is showing, so it is
// cleared again however the showing ends: the window clears it on Cancel and on success, and a
// failure while showing must not leave the button saying "already open" for good.
template <class ListWindow>
void showListWindow(AppState& app, errors::ErrorTrap& trap, bool& flag, const char* openMessage) {
  trap.at(1);
  if (flag) {
    app.toolkit.messageBox(openMessage, platform::MessageButtons::kOk);
    return;
  }
  trap.at(2);
  flag = true;
  struct ClearFlag {
    bool& flag;
    ~ClearFlag() { flag = false; }
  } clearFlag{flag};
  trap.at(3);
  app.files.close(1);
  trap.at(4);
  ListWindow window(app);
  LiveWindow live(app, window);
  app.toolkit.showModal(window);
}

}  // namespace

void FrmMain::btnNewList_Click() {
  errors::ErrorTrap trap(app_, "btnNewList_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    const std::string path = app_.ActiveListPath;
    trap.at(1);
    if (store::fCanWriteFile(app_, path) < 1) {
      app_.toolkit.messageBox(
          "It seems you may not have write access to the current bookmark file: \r\n" + path,
          platform::MessageButtons::kOk);
      return;
    }
    trap.at(2);
    if (app_.toolkit.messageBox("Delete all Groups and Bookmarks in active list?\r\n" + path,
                                platform::MessageButtons::kYesNo) == platform::MessageResult::kNo) {
      return;
    }
    trap.at(3);
    const std::vector<std::string> groups = lstbxGroup().items();
    trap.at(4);
    lstbxGroup().clear();
    lstbxExtentName().clear();
    // The list becomes its header record in one step: a failure leaves the old list whole.
    trap.at(5);
    store::ReplaceListContent(app_, path, {store::headerRecord()});
    // Only this list's own group directories go, and only once the list is empty: a failed
    // clear keeps the recorded visibilities of the list it keeps. Other lists on the program's
    // drive and the files of an earlier version keep theirs.
    trap.at(3);
    if (app_.activeListOnProgramDrive()) {
      for (const auto& group : groups) {
        store::fDeleteDirectory(app_, store::GroupSideDirectory(app_, path, group));
      }
    }
    trap.at(7);
    Text1().setText(path);
    trap.at(8);
    if (!store::fDoesDirectoryExist(app_, app_.ConfigDir)) {
      store::fCreateDirectory(app_, app_.ConfigDir);
    }
    trap.at(9);
    app_.files.closeAll();
  });
}

void FrmMain::btnReset_Click() {
  errors::ErrorTrap trap(app_, "btnReset_Click", kUnit, {1});
  trap.run([&] {
    trap.at(1);
    if (app_.toolkit.messageBox(
            "This will set your local, default bookmark list as the current list.  Continue?",
            platform::MessageButtons::kYesNo) == platform::MessageResult::kNo) {
      return;
    }
    trap.at(2);
    lstbxGroup().clear();
    lstbxExtentName().clear();
    trap.at(3);
    app_.ActiveListPath = app_.DefaultListPath();
    trap.at(4);
    Text1().setText(app_.ActiveListPath);
    trap.at(5);
    store::LoadGroupList(app_);
  });
}

void FrmMain::btnLoadList_Click() {
  errors::ErrorTrap trap(app_, "btnLoadList_Click", kUnit);
  trap.run([&] {
    showListWindow<FrmLoadList>(app_, trap, app_.OpenListWindowActive,
                                "Open List window is already open.  Please find it.");
  });
}

void FrmMain::btnSaveList_Click() {
  errors::ErrorTrap trap(app_, "btnSaveList_Click", kUnit);
  trap.run([&] {
    showListWindow<FrmSaveList>(app_, trap, app_.SaveListWindowActive,
                                "Save List window is already open.  Please find it.");
  });
}

}  // namespace cw::ui

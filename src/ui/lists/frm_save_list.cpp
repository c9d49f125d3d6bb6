#include "ui/lists/frm_save_list.h"

#include "command/module.h"
#include "errors/error_trap.h"
#include "store/list_format.h"
#include "store/list_lock.h"
#include "store/list_rewrite.h"
#include "store/side_files.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmSave";

}  // namespace

const WindowSpec& frmSaveListSpec() {
  using K = ControlKind;
  static const WindowSpec spec{
      "frmSaveList",
      "Save Bookmark List",
      4815,
      3870,
      "MS Sans Serif",
      {
          {"Drive1", K::kDriveList, "", "", "", {120, 120, 2280, 315}},
          {"Dir1", K::kDirectoryList, "", "", "", {120, 540, 2280, 2190}},
          {"File1", K::kFileList, "", "", "", {2520, 420, 2175, 2310}},
          {"Label2", K::kLabel, "", "Files:", "", {2520, 150, 2175, 255}},
          {"Label1", K::kLabel, "", "File Name:", "", {120, 2910, 975, 255}},
          {"txtFileName", K::kTextBox, "", "", "", {1140, 2880, 2295, 315}},
          {"Label3", K::kLabel, "", ".bmk", "", {3480, 2910, 495, 255}},
          {"btnSave", K::kButton, "", "Save", "", {2520, 3360, 975, 375}},
          {"btnCancel", K::kButton, "", "Cancel", "", {3720, 3360, 975, 375}},
      }};
  return spec;
}

FrmSaveList::FrmSaveList(Module& module)
    : ListFileWindow(frmSaveListSpec(), module, kUnit, &Session::SaveListWindowActive) {
  on("btnSave", Event::kClick, [this] { btnSave_Click(); });
}

void FrmSaveList::btnSave_Click() {
  auto& files = module_.files;
  errors::ErrorTrap trap(module_.report, "btnSave_Click", kUnit, {1, 2});
  trap.run([&] {
    trap.at(1);  // close the list files
    files.close(1);
    files.close(2);

    trap.at(2);  // refuse an empty file name
    const std::string name = txtFileName().text();
    if (name.empty()) {
      module_.services.windows.messageBox("Please enter a file name.",
                                          platform::MessageButtons::kOk);
      return;
    }

    trap.at(3);  // the target's full path
    const std::string target = joinWindowsPath(Dir1().path(), name + ".bmk");

    // Appending the list to itself would read the records it is writing. The active list may be
    // spelt otherwise (letter case, "/", a "." segment), so its identity on disk decides too.
    trap.at(4);  // refuse the active list itself
    if (target == module_.session.ActiveListPath ||
        module_.services.fs.sameFile(target, module_.session.ActiveListPath)) {
      module_.services.windows.messageBox(
          "File is already open, so each change has been saved.  Please choose a new filename or "
          "Cancel.",
          platform::MessageButtons::kOk);
      return;
    }

    // The target is changed from its side files to its last record: no other program between.
    store::ListLock lock(module_.storage, target);
    if (!lock.acquired()) return;

    // The copy's bookmarks keep restoring the layer visibilities recorded for the active list.
    // Copied before the records, so a failure here leaves the target list untouched.
    trap.at(5);  // copy the side files
    if (module_.paths.onProgramDrive(target)) {
      store::CopyListSideFiles(module_.services.fs, module_.paths.ConfigDir,
                               module_.session.ActiveListPath, target);
    }

    // A copy that fails leaves the target as it was: not with part of the list at its end, and
    // not there at all when the save made it (an empty file is no list).
    trap.at(6);  // open the target for appending
    struct RemoveMadeTarget {
      Module& module;
      const std::string& path;
      bool armed;
      ~RemoveMadeTarget() {
        if (!armed) return;
        errors::ignoreFailure([&] { module.files.close(2); });
        errors::ignoreFailure([&] { module.services.fs.deleteFile(path); });
      }
    } removeMadeTarget{module_, target, !module_.services.fs.fileExists(target)};
    files.openForAppend(2, target);
    platform::AppendTransaction copy(files, 2);
    trap.at(7);  // open the active list
    files.openForInput(1, module_.session.ActiveListPath);
    trap.at(8);  // copy its records
    store::CopyRecords(files, 1, 2);
    trap.at(9);  // keep the copy for good
    copy.commit();
    removeMadeTarget.armed = false;
    files.close(2);
    files.close(1);

    trap.at(10);  // make the copy the active list
    module_.session.ActiveListPath = target;
    trap.at(11);  // show its file name
    mainWindow().Text1().setText(name + ".bmk");
    trap.at(12);  // the window no longer shows
    module_.session.SaveListWindowActive = false;
    trap.at(13);  // hide the window
    hide();
  });
}

}  // namespace cw::ui

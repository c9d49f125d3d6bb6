#include "ui/lists/frm_save_list.h"

#include "errors/error_trap.h"
#include "platform/file_slots.h"
#include "platform/file_system.h"
#include "platform/window_host.h"
#include "store/list_format.h"
#include "store/list_lock.h"
#include "store/list_rewrite.h"
#include "store/program_paths.h"
#include "store/side_files.h"
#include "store/storage.h"

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

FrmSaveList::FrmSaveList(const ListWindowParts& parts)
    : ListFileWindow(frmSaveListSpec(), parts, kUnit, &Session::SaveListWindowActive) {
  on("btnSave", Event::kClick, [this] { btnSave_Click(); });
}

void FrmSaveList::btnSave_Click() {
  auto& files = parts_.storage.files;
  errors::ErrorTrap trap(parts_.report, "btnSave_Click", kUnit, {1, 2});
  trap.run([&] {
    trap.at(1);  // close the list files
    files.close(1);
    files.close(2);

    trap.at(2);  // refuse an empty file name
    const std::string name = txtFileName().text();
    if (name.empty()) {
      parts_.boxes.messageBox("Please enter a file name.", platform::MessageButtons::kOk);
      return;
    }

    trap.at(3);  // the target's full path
    const std::string target = joinWindowsPath(Dir1().path(), name + ".bmk");

    // Appending the list to itself would read the records it is writing. The active list may be
    // spelt otherwise (letter case, "/", a "." segment), so its identity on disk decides too.
    trap.at(4);  // refuse the active list itself
    if (target == parts_.session.ActiveListPath ||
        parts_.storage.fs.sameFile(target, parts_.session.ActiveListPath)) {
      parts_.boxes.messageBox(
          "File is already open, so each change has been saved.  Please choose a new filename or "
          "Cancel.",
          platform::MessageButtons::kOk);
      return;
    }

    // The target is changed from its side files to its last record: no other program between.
    store::ListLock lock(parts_.storage, target);
    if (!lock.acquired()) return;
    // The copy is the active list at one moment, its side files and its records alike: another
    // program's change to it waits until the copy is made.
    store::ListLock source(parts_.storage, parts_.session.ActiveListPath);
    if (!source.acquired()) return;

    // The copy's bookmarks keep restoring the layer visibilities recorded for the active list.
    // Copied before the records, so a failure here leaves the target list untouched.
    trap.at(5);  // copy the side files
    if (parts_.paths.onProgramDrive(target)) {
      store::CopyListSideFiles(parts_.storage.fs, parts_.paths.ConfigDir,
                               parts_.session.ActiveListPath, target);
    }

    // A copy that fails leaves the target as it was: not with part of the list at its end, and
    // not there at all when the save made it (an empty file is no list).
    trap.at(6);  // open the target for appending
    struct RemoveMadeTarget {
      const store::Storage& storage;
      const std::string& path;
      bool armed;
      ~RemoveMadeTarget() {
        if (!armed) return;
        errors::ignoreFailure([&] { storage.files.close(2); });
        errors::ignoreFailure([&] { storage.fs.deleteFile(path); });
      }
    } removeMadeTarget{parts_.storage, target, !parts_.storage.fs.fileExists(target)};
    files.openForAppend(2, target);
    platform::AppendTransaction copy(files, 2);
    trap.at(7);  // open the active list
    files.openForInput(1, parts_.session.ActiveListPath);
    trap.at(8);  // copy its records
    store::CopyRecords(files, 1, 2);
    trap.at(9);  // keep the copy for good
    copy.commit();
    removeMadeTarget.armed = false;
    files.close(2);
    files.close(1);

    trap.at(10);  // make the copy the active list
    parts_.session.ActiveListPath = target;
    trap.at(11);  // show its file name
    parts_.session.listDisplay().showListPath(name + ".bmk");
    trap.at(12);  // the window no longer shows
    parts_.session.SaveListWindowActive = false;
    trap.at(13);  // hide the window
    hide();
  });
}

}  // namespace cw::ui

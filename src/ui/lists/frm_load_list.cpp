#include "ui/lists/frm_load_list.h"

#include <cstdint>

#include "errors/error_trap.h"
#include "platform/file_slots.h"
#include "platform/file_system.h"
#include "platform/window_host.h"
#include "store/file_utilities.h"
#include "store/list_format.h"
#include "store/list_lock.h"
#include "store/list_reading.h"
#include "store/program_paths.h"
#include "store/storage.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmLoad";

}  // namespace

const WindowSpec& frmLoadListSpec() {
  using K = ControlKind;
  static const WindowSpec spec{
      "frmLoadList",
      "Open Saved Bookmark File",
      4815,
      3510,
      "MS Sans Serif",
      {
          {"Drive1", K::kDriveList, "", "", "", {120, 120, 2280, 315}},
          {"Dir1", K::kDirectoryList, "", "", "", {120, 540, 2280, 2340}},
          {"File1", K::kFileList, "", "*.bmk", "", {2520, 420, 2175, 2460}},
          {"Label2", K::kLabel, "", "Existing bookmark files:", "", {2520, 150, 2175, 255}},
          {"btnOpen", K::kButton, "", "Open", "", {2520, 3000, 975, 375}},
          {"btnCancel", K::kButton, "", "Cancel", "", {3720, 3000, 975, 375}},
      }};
  return spec;
}

FrmLoadList::FrmLoadList(const ListWindowParts& parts)
    : ListFileWindow(frmLoadListSpec(), parts, kUnit, &Session::OpenListWindowActive) {
  on("File1", Event::kClick, [this] { File1_Click(); });
  on("File1", Event::kDblClick, [this] { File1_DblClick(); });
  on("btnOpen", Event::kClick, [this] { btnOpen_Click(); });
}

void FrmLoadList::File1_Click() {
  // Choosing a file only selects it.
  errors::ErrorTrap trap(parts_.report, "File1_Click", kUnit);
  trap.run([] {});
}

void FrmLoadList::File1_DblClick() {
  // Closes the files of a failed open too, so none stays open behind the window.
  errors::ErrorTrap trap(parts_.report, "File1_DblClick", kUnit, {1, 2, 3});
  trap.run([&] { openChosenList(trap); });
}

void FrmLoadList::btnOpen_Click() {
  errors::ErrorTrap trap(parts_.report, "btnOpen_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    openChosenList(trap);
    trap.at(8);  // close the list files
    parts_.storage.files.close(1);
    parts_.storage.files.close(2);
  });
}

void FrmLoadList::openChosenList(errors::ErrorTrap& trap) {
  auto& files = parts_.storage.files;
  trap.at(1);  // refuse when no file is chosen
  if (File1().selectedIndex() == FileList::kNone) {
    parts_.boxes.messageBox("Please select a file to load.", platform::MessageButtons::kOk);
    return;
  }
  trap.at(2);  // the chosen file's full path
  std::string candidate = joinWindowsPath(Dir1().path(), File1().selectedName());

  // The whole content is read once to count its fields; a file that cannot be read fails here,
  // before anything has changed. The same read gathers the groups of what looks like a list,
  // so a valid one needs no second read to be shown.
  trap.at(3);  // read the file through once
  files.close(1);
  files.close(2);
  store::ListCandidate scanned = store::ScanListCandidate(files, 2, candidate);

  trap.at(4);  // the first field, the file left open
  store::Field first = store::OpenAtFirstField(files, 2, candidate, scanned.fieldCount > 0);

  trap.at(5);  // refuse a file that is no list
  if (!first.equals(store::kFormatTag) || scanned.fieldCount < store::kFieldsPerRecord) {
    parts_.boxes.messageBox("Please choose a valid bookmark file, .bmk",
                            platform::MessageButtons::kOk);
  } else {
    trap.at(61);  // a list: make it the active one
    parts_.session.ActiveListPath = candidate;
    trap.at(62);  // show its path
    parts_.session.listDisplay().showListPath(parts_.session.ActiveListPath);
    trap.at(63);  // list its groups
    if (scanned.fieldCount % store::kFieldsPerRecord == 0) {
      parts_.session.listDisplay().showGroups(scanned.groups.names());
    } else {
      parts_.session.listDisplay().LoadGroupList();  // a record cut short: fails where it would
    }
    trap.at(64);  // remember it in the pointer file
    files.close(3);
    // The new choice takes the old one's place in one step: a failure keeps the old choice
    // instead of leaving the next start without any.
    if (store::ListLock lock(parts_.storage, parts_.paths.LastListFile); lock.acquired()) {
      platform::replaceFileContent(parts_.storage.fs, parts_.paths.LastListFile,
                                   store::formatRecord(std::vector<store::Field>{
                                       store::Field::text(parts_.session.ActiveListPath)}));
    }
    trap.at(65);  // the window no longer shows
    parts_.session.OpenListWindowActive = false;
    trap.at(66);  // hide the window
    hide();
  }
  trap.at(7);  // close the chosen file
  files.close(2);
}

}  // namespace cw::ui

#include <string>
#include <utility>
#include <vector>

#include "errors/error_trap.h"
#include "store/group_list.h"
#include "store/list_reading.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";
constexpr int kListFile = 1;

}  // namespace

void FrmMain::LoadGroupList() {
  lstbxGroup().clear();
  lstbxExtentName().clear();
  for (auto& group :
       store::ReadGroupList(parts_.storage.files, kListFile, parts_.session.ActiveListPath)) {
    lstbxGroup().addItem(std::move(group));
  }
}

void FrmMain::showListPath(const std::string& path) {
  Text1().setText(path);
}

void FrmMain::showGroups(std::vector<std::string> groups) {
  lstbxGroup().clear();
  lstbxExtentName().clear();
  for (auto& group : groups) lstbxGroup().addItem(std::move(group));
}

std::vector<std::string> FrmMain::groupsOfActiveList() {
  std::vector<std::string> groups;
  bool read = false;
  // A list that cannot be read leaves what the window shows; the command's own reads report.
  errors::ignoreFailure([&] {
    groups = store::ReadGroupList(parts_.storage.files, kListFile, parts_.session.ActiveListPath);
    read = true;
  });
  return read ? groups : lstbxGroup().items();
}

// Lists the bookmarks of the selected group, read afresh from the list: the names of the
// group's bookmark records in file order, less the exact (group, name) pairs that bookmark
// removal records withhold, wherever those stand.
void FrmMain::lstbxGroup_Click() {
  errors::ErrorTrap trap(parts_.report, "lstbxGroup_Click", kUnit);
  trap.run([&] {
    trap.at(1);  // the old listing goes
    lstbxExtentName().clear();
    trap.at(2);  // the selected group
    parts_.session.SelectedGroup = lstbxGroup().selectedText();

    trap.at(3);  // one read of the list
    const store::BookmarkListing listing =
        store::ReadBookmarkListing(parts_.storage.files, kListFile, parts_.session.ActiveListPath,
                                   parts_.session.SelectedGroup);

    // The table of withheld pairs has room for N + 6 entries, two per pair.
    trap.at(4);  // too many withheld pairs for the table
    if (2 * listing.withheldPairs > listing.records + 6) {
      throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
    }

    trap.at(5);  // the group's bookmarks
    for (const std::string& name : listing.names) lstbxExtentName().addItem(name);
    trap.at(6);  // close the list
    parts_.storage.files.close(kListFile);
  });
}

}  // namespace cw::ui

#include <string>
#include <string_view>

#include "errors/error_trap.h"
#include "host/host.h"
#include "store/ansi.h"
#include "store/bookmark_store.h"
#include "store/file_utilities.h"
#include "store/list_lock.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

std::string trimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

// A typed name as it will read back from the list: a character the list's code page cannot
// hold becomes "?", which the name test refuses, instead of the list box showing a name the
// list does not hold.
std::string typedName(std::string_view answer) {
  return store::ansiRoundTrip(trimBlanks(answer));
}

host::HostView& activeView(Session& session) {
  return session.document().activeView();
}

}  // namespace

// The group name is trimmed before it is tested, so blanks only draw "Groups must have a name".
void FrmMain::cmdbtnAddGroup_Click() {
  errors::ErrorTrap trap(parts_.report, "cmdbtnAddGroup_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    trap.at(1);  // refuse a list we cannot write
    if (refusedWriteAccess(parts_.session.ActiveListPath)) return;
    trap.at(2);  // ask for the group's name
    std::string answer = parts_.boxes.inputBox("Name the new group:");
    trap.at(3);  // trim it as the list will hold it
    std::string name = typedName(answer);
    trap.at(4);  // refuse an empty name
    if (name.empty()) {
      tell("Groups must have a name");
      return;
    }
    trap.at(5);  // refuse a name unfit for a file
    if (!store::IsValidFileName(name)) {
      tell("Invalid group name");
      return;
    }
    trap.at(6);  // the store adds it
    store::ListLock lock(parts_.storage, parts_.session.ActiveListPath);
    if (!lock.acquired()) return;
    createGroup(name);
  });
}

// The bookmark name is tested for emptiness before it is trimmed, so blanks only draw
// "Invalid bookmark name".
void FrmMain::cmdbtnAddCurExtent_Click() {
  errors::ErrorTrap trap(parts_.report, "cmdbtnAddCurExtent_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    trap.at(1);  // refuse a list we cannot write
    if (refusedWriteAccess(parts_.session.ActiveListPath)) return;
    trap.at(2);  // take the selected group
    parts_.session.SelectedGroup = lstbxGroup().selectedText();
    trap.at(3);  // refuse when no group is selected
    if (lstbxGroup().selectedIndex() == ListBox::kNone) {
      tell("Please select a group");
      return;
    }
    trap.at(4);  // ask for the bookmark's name
    std::string answer = parts_.boxes.inputBox("Please name the new bookmark:");
    trap.at(5);  // refuse an empty answer
    if (answer.empty()) {
      tell("Bookmarks must have a name");
      return;
    }
    trap.at(6);  // trim it as the list will hold it
    std::string name = typedName(answer);
    trap.at(7);  // refuse a name unfit for a file
    if (!store::IsValidFileName(name)) {
      tell("Invalid bookmark name");
      return;
    }
    // Each value from a fresh request for the active view's extent.
    trap.at(8);  // read the active view's extent
    double xMin = activeView(parts_.session).extent().XMin;
    double yMin = activeView(parts_.session).extent().YMin;
    double xMax = activeView(parts_.session).extent().XMax;
    double yMax = activeView(parts_.session).extent().YMax;
    trap.at(9);  // the store adds it
    {
      store::ListLock lock(parts_.storage, parts_.session.ActiveListPath);
      if (!lock.acquired()) return;
      addBookmark({parts_.session.SelectedGroup, name, {xMin, yMin, xMax, yMax}});
    }
    trap.at(10);  // close the list
    parts_.storage.files.close(1);
  });
}

void FrmMain::createGroup(const std::string& group) {
  store::CreateNewGroup(activeList().observedBy(*this), group);
}

void FrmMain::addBookmark(const store::Bookmark& bookmark) {
  const bool remember = chkViz().value() == 1;
  store::AddBookmark(activeList().observedBy(*this), bookmark, parts_.session.HostDocument,
                     remember);
}

void FrmMain::groupAdded(const std::string& group) {
  lstbxGroup().addItem(group);
}

// The sorted list decides where the new entry stands: the last entry of that text. Selecting it
// lists its bookmarks, which reads the list.
void FrmMain::groupSettled(const std::string& group) {
  ListBox& groups = lstbxGroup();
  int index = ListBox::kNone;
  for (int i = 0; i < groups.count(); ++i) {
    if (groups.item(i) == group) index = i;
  }
  if (index != ListBox::kNone) groups.select(index);
}

void FrmMain::bookmarkAdded(const store::Bookmark& bookmark) {
  lstbxExtentName().addItem(bookmark.name);
}

}  // namespace cw::ui

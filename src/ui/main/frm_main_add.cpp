#include <string>
#include <string_view>

#include "command/app_state.h"
#include "errors/error_trap.h"
#include "host/host.h"
#include "store/ansi.h"
#include "store/bookmark_store.h"
#include "store/file_utilities.h"
#include "ui/main/frm_main.h"

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

bool canWriteActiveList(AppState& app) {
  if (store::fCanWriteFile(app, app.ActiveListPath) >= 1) return true;
  app.toolkit.messageBox(
      "It seems you may not have write access to the current bookmark file: \r\n" +
          app.ActiveListPath,
      platform::MessageButtons::kOk);
  return false;
}

void tell(AppState& app, std::string_view text) {
  app.toolkit.messageBox(text, platform::MessageButtons::kOk);
}

host::HostView& activeView(AppState& app) {
  if (!app.HostDocument) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return app.HostDocument->activeView();
}

}  // namespace

// The group name is trimmed before it is tested, so blanks only draw "Groups must have a name".
void FrmMain::cmdbtnAddGroup_Click() {
  errors::ErrorTrap trap(app_, "cmdbtnAddGroup_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    trap.at(1);
    if (!canWriteActiveList(app_)) return;
    trap.at(2);
    std::string answer = app_.toolkit.inputBox("Name the new group:");
    trap.at(3);
    std::string name = typedName(answer);
    trap.at(4);
    if (name.empty()) {
      tell(app_, "Groups must have a name");
      return;
    }
    trap.at(5);
    if (!store::IsValidFileName(name)) {
      tell(app_, "Invalid group name");
      return;
    }
    trap.at(6);
    store::CreateNewGroup(app_, name);
  });
}

// The bookmark name is tested for emptiness before it is trimmed, so blanks only draw
// "Invalid bookmark name".
void FrmMain::cmdbtnAddCurExtent_Click() {
  errors::ErrorTrap trap(app_, "cmdbtnAddCurExtent_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    trap.at(1);
    if (!canWriteActiveList(app_)) return;
    trap.at(2);
    app_.SelectedGroup = lstbxGroup().selectedText();
    trap.at(3);
    if (lstbxGroup().selectedIndex() == ListBox::kNone) {
      tell(app_, "Please select a group");
      return;
    }
    trap.at(4);
    std::string answer = app_.toolkit.inputBox("Please name the new bookmark:");
    trap.at(5);
    if (answer.empty()) {
      tell(app_, "Bookmarks must have a name");
      return;
    }
    trap.at(6);
    std::string name = typedName(answer);
    trap.at(7);
    if (!store::IsValidFileName(name)) {
      tell(app_, "Invalid bookmark name");
      return;
    }
    // Each value from a fresh request for the active view's extent.
    trap.at(8);
    double xMin = activeView(app_).extent().XMin;
    double yMin = activeView(app_).extent().YMin;
    double xMax = activeView(app_).extent().XMax;
    double yMax = activeView(app_).extent().YMax;
    trap.at(9);
    store::AddBookmark(app_, app_.SelectedGroup, name, xMin, yMin, xMax, yMax);
    trap.at(10);
    app_.files.close(1);
  });
}

}  // namespace cw::ui

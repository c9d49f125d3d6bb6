#include "store/group_list.h"

#include <cmath>
#include <string>
#include <vector>

#include "command/app_state.h"
#include "errors/failure.h"
#include "store/list_format.h"
#include "ui/controls/list_box.h"
#include "ui/main/frm_main.h"

namespace cw::store {

namespace {

// An empty field 1 (or the empty text, or the number 0) equals a slot nobody filled, and the
// withdrawn names always hold such slots, so these records never name a listed group. A number
// that is not equal to itself never counts as a first appearance either.
bool neverListed(const Field& value) {
  if (value.isNumber()) return value.numberValue() == 0.0 || std::isnan(value.numberValue());
  return value.asText().empty();
}

ui::FrmMain& mainWindow(AppState& app) {
  if (!app.mainWindow) throw Failure(err::kObjectVariableNotSet, "Object variable not set");
  return *app.mainWindow;
}

}  // namespace

bool GroupNames::NameSet::insert(const Field& value) {
  if (value.isNumber()) return numbers_.insert(value.numberValue()).second;
  return texts_.insert(value.textValue()).second;
}

bool GroupNames::NameSet::contains(const Field& value) const {
  if (value.isNumber()) return numbers_.count(value.numberValue()) > 0;
  return texts_.count(value.textValue()) > 0;
}

void GroupNames::addRecord(Field first, const Field& second) {
  if (second.equals(kRemovalMarker)) withdrawn_.insert(first);
  if (!neverListed(first) && seen_.insert(first)) firstAppearances_.push_back(std::move(first));
}

void GroupNames::addTo(ui::ListBox& groups) const {
  for (const Field& group : firstAppearances_) {
    if (!withdrawn_.contains(group)) groups.addItem(group.asText());
  }
}

void FillGroupList(AppState& app, ui::ListBox& groups) {
  platform::FileSlots& files = app.files;
  files.close(1);
  files.openForInput(1, app.ActiveListPath);

  // One read; nothing reaches the list box unless the whole file could be read.
  GroupNames names;
  while (!endOfFile(files, 1)) {
    Field group = readField(files, 1);
    if (group.equals(kFormatTag)) {
      skipFields(files, 1, kFieldsPerRecord - 1);
      continue;
    }
    Field second = readField(files, 1);
    skipFields(files, 1, kFieldsPerRecord - 2);
    names.addRecord(std::move(group), second);
  }
  files.close(1);
  names.addTo(groups);
}

void LoadGroupList(AppState& app) {
  ui::FrmMain& window = mainWindow(app);
  window.lstbxGroup().clear();
  window.lstbxExtentName().clear();
  FillGroupList(app, window.lstbxGroup());
}

void ShowGroupList(AppState& app, const GroupNames& names) {
  ui::FrmMain& window = mainWindow(app);
  window.lstbxGroup().clear();
  window.lstbxExtentName().clear();
  names.addTo(window.lstbxGroup());
}

}  // namespace cw::store

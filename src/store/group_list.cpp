#include "store/group_list.h"

#include <cmath>
#include <string>
#include <unordered_set>
#include <vector>

#include "command/app_state.h"
#include "errors/failure.h"
#include "store/list_format.h"
#include "ui/controls/list_box.h"
#include "ui/main/frm_main.h"

namespace cw::store {

namespace {

// Group names kept apart by kind: a text never equals a number. (An empty field is kept as the
// empty text; neither is ever listed.)
class NameSet {
 public:
  // False when the value was already in the set.
  bool insert(const Field& value) {
    if (value.isNumber()) return numbers_.insert(value.numberValue()).second;
    return texts_.insert(value.textValue()).second;
  }
  bool contains(const Field& value) const {
    if (value.isNumber()) return numbers_.count(value.numberValue()) > 0;
    return texts_.count(value.textValue()) > 0;
  }

 private:
  std::unordered_set<std::string> texts_;
  std::unordered_set<double> numbers_;
};

// An empty field 1 (or the empty text, or the number 0) equals a slot nobody filled, and the
// withdrawn names always hold such slots, so these records never name a listed group. A number
// that is not equal to itself never counts as a first appearance either.
bool neverListed(const Field& value) {
  if (value.isNumber()) return value.numberValue() == 0.0 || std::isnan(value.numberValue());
  return value.asText().empty();
}

}  // namespace

void FillGroupList(AppState& app, ui::ListBox& groups) {
  platform::FileSlots& files = app.files;
  files.close(1);
  files.openForInput(1, app.ActiveListPath);

  // One read: the groups in order of first appearance and the names removal records withdraw,
  // wherever those stand. Nothing reaches the list box unless the whole file could be read.
  std::vector<Field> firstAppearances;
  NameSet seen;
  NameSet withdrawn;
  while (!endOfFile(files, 1)) {
    Field group = readField(files, 1);
    if (group.equals(kFormatTag)) {
      skipFields(files, 1, kFieldsPerRecord - 1);
      continue;
    }
    Field second = readField(files, 1);
    skipFields(files, 1, kFieldsPerRecord - 2);
    if (second.equals(kRemovalMarker)) withdrawn.insert(group);
    if (!neverListed(group) && seen.insert(group)) firstAppearances.push_back(std::move(group));
  }
  files.close(1);

  for (const Field& group : firstAppearances) {
    if (!withdrawn.contains(group)) groups.addItem(group.asText());
  }
}

void LoadGroupList(AppState& app) {
  if (!app.mainWindow) throw Failure(err::kObjectVariableNotSet, "Object variable not set");
  ui::FrmMain& window = *app.mainWindow;
  window.lstbxGroup().clear();
  window.lstbxExtentName().clear();
  FillGroupList(app, window.lstbxGroup());
}

}  // namespace cw::store

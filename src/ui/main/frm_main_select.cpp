#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "command/app_state.h"
#include "errors/error_trap.h"
#include "store/list_format.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

namespace {

// Field values compared as the list's readers compare them: a text never equals a number, and
// an empty field equals both the empty text and the number 0 (which differ from each other).
class FieldValueSet {
 public:
  void insert(const store::Field& value) {
    if (value.isEmpty()) {
      hasEmpty_ = true;
    } else if (value.isNumber()) {
      numbers_.insert(value.numberValue());
    } else {
      texts_.insert(value.textValue());
    }
  }
  bool empty() const { return !hasEmpty_ && numbers_.empty() && texts_.empty(); }
  // True when some value of the set equals this one.
  bool holdsEqual(const store::Field& value) const {
    if (value.isEmpty()) return hasEmpty_ || texts_.count("") > 0 || numbers_.count(0.0) > 0;
    if (value.isNumber()) {
      return numbers_.count(value.numberValue()) > 0 || (hasEmpty_ && value.numberValue() == 0.0);
    }
    return texts_.count(value.textValue()) > 0 || (hasEmpty_ && value.textValue().empty());
  }

 private:
  std::unordered_set<std::string> texts_;
  std::unordered_set<double> numbers_;
  bool hasEmpty_ = false;
};

bool isReservedName(const store::Field& name) {
  return name.equals(store::kRemovalMarker) || name.equals(store::kGroupFiller);
}

struct Candidate {
  store::Field name;
  bool emptyGroupField;  // field 1 was an empty field (only possible for the group "")
};

}  // namespace

// Lists the bookmarks of the selected group, read afresh from the list: the names of the
// group's bookmark records in file order, less the exact (group, name) pairs that bookmark
// removal records withhold, wherever those stand. One read does it: the withheld names of the
// group are gathered beside the candidates and applied once the whole list has been read.
void FrmMain::lstbxGroup_Click() {
  errors::ErrorTrap trap(app_, "lstbxGroup_Click", "frmMain");
  trap.run([&] {
    trap.at(1);
    lstbxExtentName().clear();
    trap.at(2);
    app_.SelectedGroup = lstbxGroup().selectedText();
    const std::string& group = app_.SelectedGroup;

    trap.at(3);
    platform::FileSlots& files = app_.files;
    files.close(1);
    files.openForInput(1, app_.ActiveListPath);
    std::int64_t records = 0;
    std::int64_t withheldPairs = 0;  // of every group: they all take room in the table
    // Withheld names of the group. A removal whose field 1 is the number 0 withholds from the
    // group "" only the records whose field 1 is an empty field.
    FieldValueSet withheld;
    FieldValueSet withheldFromEmptyField;
    std::vector<Candidate> candidates;
    while (!store::endOfFile(files, 1)) {
      store::Field first = store::readField(files, 1);
      store::Field second = store::readField(files, 1);
      store::Field third = store::readField(files, 1);
      store::skipFields(files, 1, store::kFieldsPerRecord - 3);
      ++records;
      if (first.equals(store::kFormatTag) || isReservedName(second)) continue;
      if (third.equals(store::kRemovalMarker)) {
        ++withheldPairs;
        if (first.equals(group)) {
          withheld.insert(second);
        } else if (group.empty() && first.isNumber() && first.numberValue() == 0.0) {
          withheldFromEmptyField.insert(second);
        }
      }
      if (first.equals(group)) candidates.push_back({std::move(second), first.isEmpty()});
    }
    files.close(1);

    // The table of withheld pairs has room for N + 6 entries, two per pair.
    trap.at(4);
    if (2 * withheldPairs > records + 6) {
      throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
    }

    trap.at(5);
    const bool anyWithheld = !withheld.empty() || !withheldFromEmptyField.empty();
    for (const Candidate& candidate : candidates) {
      if (anyWithheld &&
          (withheld.holdsEqual(candidate.name) ||
           (candidate.emptyGroupField && withheldFromEmptyField.holdsEqual(candidate.name)))) {
        continue;
      }
      lstbxExtentName().addItem(candidate.name.asText());
    }
    trap.at(6);
    files.close(1);
  });
}

}  // namespace cw::ui

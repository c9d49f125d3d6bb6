#include <algorithm>
#include <cmath>
#include <cstring>
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

// Bookmark names as keys that keep kinds apart: a text never equals a number. An empty field
// equals the empty text and the number 0, which differ from each other, so each value lists
// the keys it equals.
std::string textKey(const std::string& text) { return "T" + text; }
std::string numberKey(double value) {
  if (value == 0.0) value = 0.0;  // -0 and 0 are one number
  std::string key(1 + sizeof value, 'N');
  std::memcpy(key.data() + 1, &value, sizeof value);
  return key;
}
const std::string kEmptyKey = "E";

// The one key a stored (withheld) name is kept under.
std::string storedKey(const store::Field& name) {
  if (name.isEmpty()) return kEmptyKey;
  if (name.isNumber()) return numberKey(name.numberValue());
  return textKey(name.textValue());
}

// Every stored key that compares equal to this name.
std::vector<std::string> equalKeys(const store::Field& name) {
  if (name.isEmpty()) return {kEmptyKey, textKey(""), numberKey(0.0)};
  if (name.isNumber()) {
    double value = name.numberValue();
    if (std::isnan(value)) return {};
    if (value == 0.0) return {numberKey(0.0), kEmptyKey};
    return {numberKey(value)};
  }
  if (name.textValue().empty()) return {textKey(""), kEmptyKey};
  return {textKey(name.textValue())};
}

// One key for a (group, name) pair.
std::string pairKey(const std::string& groupKey, const std::string& nameKey) {
  return std::to_string(groupKey.size()) + ":" + groupKey + nameKey;
}

bool isReservedName(const store::Field& name) {
  return name.equals(store::kRemovalMarker) || name.equals(store::kGroupFiller);
}

bool isWithheld(const std::unordered_set<std::string>& pairs, const store::Field& group,
                const store::Field& name) {
  if (pairs.empty()) return false;
  for (const std::string& groupKey : equalKeys(group)) {
    for (const std::string& nameKey : equalKeys(name)) {
      if (pairs.count(pairKey(groupKey, nameKey))) return true;
    }
  }
  return false;
}

}  // namespace

// Lists the bookmarks of the selected group, read afresh from the list: the names of the
// group's bookmark records in file order, less the exact (group, name) pairs that bookmark
// removal records withhold, wherever those stand. One read of the list does it: the withheld
// names of this group are collected beside the candidates and applied at the end.
void FrmMain::lstbxGroup_Click() {
  errors::ErrorTrap trap(app_, "lstbxGroup_Click", "frmMain");
  trap.run([&] {
    trap.at(1);
    lstbxExtentName().clear();
    trap.at(2);
    app_.SelectedGroup = lstbxGroup().selectedText();
    // The keys a record's group field may hold to be of the selected group: only withheld
    // pairs of those groups can ever withhold one of its bookmarks.
    std::vector<std::string> groupKeys = equalKeys(store::Field::text(app_.SelectedGroup));
    if (app_.SelectedGroup.empty()) groupKeys.push_back(numberKey(0.0));
    auto isGroupKey = [&](const std::string& key) {
      return std::find(groupKeys.begin(), groupKeys.end(), key) != groupKeys.end();
    };

    trap.at(3);
    platform::FileSlots& files = app_.files;
    files.close(1);
    files.openForInput(1, app_.ActiveListPath);
    std::int64_t records = 0;
    std::int64_t withheldPairs = 0;  // of every group: they all take room in the table
    std::unordered_set<std::string> withheld;  // pairs of the selected group only
    std::vector<std::pair<store::Field, store::Field>> candidates;
    while (!store::endOfFile(files, 1)) {
      store::Field first = store::readField(files, 1);
      store::Field second = store::readField(files, 1);
      store::Field third = store::readField(files, 1);
      store::skipFields(files, 1, store::kFieldsPerRecord - 3);
      ++records;
      if (first.equals(store::kFormatTag) || isReservedName(second)) continue;
      if (third.equals(store::kRemovalMarker)) {
        ++withheldPairs;
        std::string groupKey = storedKey(first);
        if (isGroupKey(groupKey)) withheld.insert(pairKey(groupKey, storedKey(second)));
      }
      if (first.equals(app_.SelectedGroup)) {
        candidates.emplace_back(std::move(first), std::move(second));
      }
    }
    files.close(1);

    // The table of withheld pairs has room for N + 6 entries, two per pair.
    trap.at(4);
    if (2 * withheldPairs > records + 6) {
      throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
    }

    trap.at(5);
    for (const auto& [recordGroup, name] : candidates) {
      if (!isWithheld(withheld, recordGroup, name)) lstbxExtentName().addItem(name.asText());
    }
    trap.at(6);
    files.close(1);
  });
}

}  // namespace cw::ui

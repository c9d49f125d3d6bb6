#include "store/group_list.h"

#include <cmath>
#include <string>
#include <vector>

#include "platform/file_slots.h"
#include "store/list_format.h"

namespace cw::store {

namespace {

// An empty field 1 (or the empty text, or the number 0) equals a slot nobody filled, and the
// withdrawn names always hold such slots, so these records never name a listed group. A number
// that is not equal to itself never counts as a first appearance either.
bool neverListed(const Field& value) {
  if (value.isNumber()) return value.numberValue() == 0.0 || std::isnan(value.numberValue());
  return value.asText().empty();
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

std::vector<std::string> GroupNames::names() const {
  std::vector<std::string> names;
  for (const Field& group : firstAppearances_) {
    if (!withdrawn_.contains(group)) names.push_back(group.asText());
  }
  return names;
}

std::vector<std::string> ReadGroupList(platform::FileSlots& files, int number,
                                       const std::string& path) {
  files.close(number);
  files.openForInput(number, path);
  GroupNames names;
  while (!endOfFile(files, number)) {
    Field group = readField(files, number);
    if (group.equals(kFormatTag)) {
      skipFields(files, number, kFieldsPerRecord - 1);
      continue;
    }
    Field second = readField(files, number);
    skipFields(files, number, kFieldsPerRecord - 2);
    names.addRecord(std::move(group), second);
  }
  files.close(number);
  return names.names();
}

}  // namespace cw::store

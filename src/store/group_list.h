#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "store/field.h"

namespace cw::platform {
class FileSlots;
}

namespace cw::store {

// The groups of a list gathered record by record, in file order: every group a record names,
// once, less the groups a removal record withdraws (wherever that record stands).
class GroupNames {
 public:
  // A record that is not a header, by its first two fields.
  void addRecord(Field first, const Field& second);
  // The groups in order of first appearance, less the withdrawn ones.
  std::vector<std::string> names() const;

 private:
  // Names kept apart by kind: a text never equals a number.
  class NameSet {
   public:
    bool insert(const Field& value);  // false when the value was already in the set
    bool contains(const Field& value) const;

   private:
    std::unordered_set<std::string> texts_;
    std::unordered_set<double> numbers_;
  };
  std::vector<Field> firstAppearances_;
  NameSet seen_;
  NameSet withdrawn_;
};

// The group list of a list file: every group named by a record, once, less the groups a removal
// record withdraws. One read through `number` (opened and closed here); nothing is returned
// unless the whole file could be read. No trap of its own: failures reach the caller.
std::vector<std::string> ReadGroupList(platform::FileSlots& files, int number,
                                       const std::string& path);

}  // namespace cw::store

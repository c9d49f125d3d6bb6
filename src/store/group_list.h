#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "store/field.h"

namespace cw {
struct AppState;
}
namespace cw::ui {
class ListBox;
}

namespace cw::store {

// The groups of a list gathered record by record, in file order: every group a record names,
// once, less the groups a removal record withdraws (wherever that record stands).
class GroupNames {
 public:
  // A record that is not a header, by its first two fields.
  void addRecord(Field first, const Field& second);
  // Adds the groups to the list box, in order of first appearance.
  void addTo(ui::ListBox& groups) const;

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

// Fills the group list from the list at ActiveListPath: every group named by a record, once,
// less the groups a removal record withdraws. No trap of its own: failures reach the caller.
void FillGroupList(AppState& app, ui::ListBox& groups);
// Empties both list boxes of the bookmarks window, then fills the group list.
void LoadGroupList(AppState& app);
// Empties both list boxes of the bookmarks window and shows groups gathered from the list at
// ActiveListPath by a read that has just taken the whole file.
void ShowGroupList(AppState& app, const GroupNames& names);

}  // namespace cw::store

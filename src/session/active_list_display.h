#pragma once

#include <string>
#include <vector>

namespace cw {

// What shows the active list to the user (the bookmarks window): the list windows tell it when
// they make another list the active one, instead of reaching into it.
class ActiveListDisplay {
 public:
  virtual ~ActiveListDisplay() = default;
  // The active list's path, in the path box.
  virtual void showListPath(const std::string& path) = 0;
  // Empties both list boxes and shows these groups (read by the teller just now).
  virtual void showGroups(std::vector<std::string> groups) = 0;
  // Empties both list boxes, then fills the group list from the active list.
  virtual void LoadGroupList() = 0;
};

}  // namespace cw

#pragma once

#include <string>

namespace cw {
struct AppState;
}

// The operations that add to the active list (module "Fennigate_Bookmark_Tool_Module"). Both
// write to disk at once and update the bookmarks window's list boxes themselves.
namespace cw::store {

inline constexpr const char* kStoreUnit = "Fennigate_Bookmark_Tool_Module";

// Appends a group record unless a record already names the group; selects the new group.
void CreateNewGroup(AppState& app, const std::string& group);
// Appends a bookmark record unless the group already holds one of that name; records the layer
// visibilities when "Remember layer visibilities" is ticked.
void AddBookmark(AppState& app, const std::string& group, const std::string& name, double xMin,
                 double yMin, double xMax, double yMax);
// True when two or more data frames of the document carry this name.
bool HasDuplicateDataFrameName(AppState& app, const std::string& name);
// True when the name may be stored as a group or bookmark name.
bool IsValidFileName(const std::string& name);

}  // namespace cw::store

#pragma once

#include <string>

#include "base/failure.h"
#include "session/active_list_display.h"

namespace cw::host {
class MapHost;
class HostDocument;
}  // namespace cw::host

namespace cw {

// What the user is working on, shared by every command instance and every window of the
// process: the active list, the selections, the two list-window flags, the host objects of the
// most recent click, and the window that shows the active list.
struct Session {
  std::string ActiveListPath;  // the list the bookmarks window reads and writes
  std::string FormatTag;       // set by each click
  std::string SelectedGroup;   // the group last taken from the group list
  std::string SelectedBookmark;
  bool OpenListWindowActive = false;
  bool SaveListWindowActive = false;

  host::MapHost* MapHost = nullptr;
  host::HostDocument* HostDocument = nullptr;

  // The bookmarks window of the latest creation of the command, while there is one.
  ActiveListDisplay* ListDisplay = nullptr;

  // The window that shows the active list; fails (object not set) when there is none.
  ActiveListDisplay& listDisplay() const {
    if (!ListDisplay) objectNotSet();
    return *ListDisplay;
  }

  // The document of the most recent click; fails (object not set) before any.
  host::HostDocument& document() const {
    if (!HostDocument) objectNotSet();
    return *HostDocument;
  }

 private:
  [[noreturn]] static void objectNotSet() {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
};

}  // namespace cw

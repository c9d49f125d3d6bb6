#pragma once

#include <string>
#include <string_view>

#include "convert/bookmark.h"

// Bookmark lists (".bmk"), read and written by the store's own reader and record writer.
namespace cw::convert {

// The bookmarks a list shows, group by group, in file order. `file` names the list in messages.
Bookmarks readList(std::string_view bytes, const std::string& file);

// What adding bookmarks to a list makes of it.
struct ListAddition {
  std::string bytes;          // the whole list afterwards
  Bookmarks written;          // the bookmarks as the list now holds them (names as stored)
  int renamedGroups = 0;      // a group whose name the list already held, or cannot hold
  int changedNames = 0;       // names stored as the import stores them
  int droppedEmpty = 0;       // bookmarks without a name, which a list cannot hold
  int droppedReserved = 0;    // names that would read as another kind of record
  int droppedDuplicates = 0;  // a second bookmark of one name in one group
};

// Appends one group per source group (in order of first appearance) to `existing` (a list's
// bytes, or "" for a new list, which gets its header), as the import adds them: a group whose
// name is taken, or a bookmark without a group, gets the import's group name.
// The bookmarks are taken, to become the written ones.
ListAddition addToList(std::string_view existing, Bookmarks bookmarks, const std::string& file);

}  // namespace cw::convert

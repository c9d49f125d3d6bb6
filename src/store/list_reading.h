#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "host/host.h"
#include "store/field.h"
#include "store/group_list.h"

namespace cw::platform {
class ByteReader;
class FileSlots;
}  // namespace cw::platform

// The questions the windows ask of a list file, answered by reading it through a file number.
// Each opens and closes its number as noted; failures reach the caller's trap.
namespace cw::store {

// True when the file holds nothing but blank lines. Opens `number`, closes it again.
bool IsEmptyList(platform::FileSlots& files, int number, const std::string& path);
// Appends the header record to an open number, whole or not at all.
void AppendHeaderRecord(platform::FileSlots& files, int number);

// The last field of a file (the pointer file names the list to start with); "" for an empty
// file. Opens `number`, closes it again.
std::string ReadLastField(platform::FileSlots& files, int number, const std::string& path);

// The bookmarks of a group as the group listing shows them: the names of the group's records in
// file order, less the (group, name) pairs that removal records withhold wherever they stand.
// The counts size the listing's table of withheld pairs. Opens `number`, closes it again.
struct BookmarkListing {
  std::vector<std::string> names;
  std::int64_t records = 0;
  std::int64_t withheldPairs = 0;  // of every group
};
BookmarkListing ReadBookmarkListing(platform::FileSlots& files, int number, const std::string& path,
                                    const std::string& group);

// A whole list as the windows show it, read once through: the groups of the group list in file
// order, each with the bookmarks its listing shows and their extents as a zoom reads them (with
// the text of a field that is no number, so a caller can say which record holds one).
struct ListedBookmark {
  std::string name;
  host::Envelope extent;
  bool extentIsNumbers = true;
  std::string notANumber;   // when not: the first extent field that is no number
  std::int64_t record = 0;  // 1-based, counting every record of the file
};
struct ListedGroup {
  std::string name;
  std::vector<ListedBookmark> bookmarks;
};
struct ListContents {
  std::vector<ListedGroup> groups;
  // Every text that field 1 of a record holds, withdrawn groups too: a group of such a name
  // would be refused as a duplicate, or withheld by a removal record.
  std::unordered_set<std::string> recordGroups;
  std::int64_t records = 0;
};
// A list cut short fails like every other reader (input past end of file).
ListContents ReadListContents(platform::ByteReader& bytes);

// Reads an open number up to the first record of the group and bookmark, leaving it before the
// record's extent; past the end of the list the read fails.
void SeekBookmarkRecord(platform::FileSlots& files, int number, const std::string& group,
                        const std::string& bookmark);
// The four extent fields that follow, as numbers.
host::Envelope ReadExtentFields(platform::FileSlots& files, int number);

// One record of a layer-visibility file (the bookmark name is not kept).
struct LayerRecord {
  std::string frame;
  std::string layer;
  bool visible = false;
};
// The next record of an open layer-visibility file; false at its end. A record that cannot be
// read fails.
bool ReadLayerRecord(platform::FileSlots& files, int number, LayerRecord& record);

// A file the user chose to open as a list, read once through: how many fields it holds and,
// while it starts with the header, the groups its records name. Opens `number`, closes it.
struct ListCandidate {
  std::int64_t fieldCount = 0;
  GroupNames groups;
};
ListCandidate ScanListCandidate(platform::FileSlots& files, int number, const std::string& path);
// Opens `number` on the file and reads its first field when it has any; the number stays open.
Field OpenAtFirstField(platform::FileSlots& files, int number, const std::string& path,
                       bool hasFields);

}  // namespace cw::store

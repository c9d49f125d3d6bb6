#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

namespace cw::bench {

// What a generated list holds, for choosing the records the operations act on. Names are
// UTF-8, as the system holds them in memory.
struct GeneratedList {
  std::int64_t records = 0;  // ten-field records, headers and removals included
  std::int64_t bytes = 0;
  std::int64_t groups = 0;           // group records written
  std::int64_t listedGroups = 0;     // groups the group list shows (withdrawn ones left out)
  std::string middleGroup;           // the first group made after the header in the middle
  std::string middleBookmark;        // a bookmark of that group that the listing shows
  std::int64_t middleGroupSize = 0;  // bookmarks the listing of that group shows
  std::string lastGroup;             // group and name of the last bookmark record of the file
  std::string lastBookmark;
  std::array<double, 4> lastExtent{};
};

// Writes a bookmark list of exactly `records` records (at least 100) to `out`: a header, groups
// of varied sizes whose bookmarks hold geographic and projected extents (negative, fractional,
// some in exponent form, some names with accented letters), bookmarks added later to older
// groups, a few removal records and a second header in the middle. A fixed seed makes the same
// count give the same bytes on every run.
GeneratedList generateList(std::int64_t records, std::ostream& out);

}  // namespace cw::bench

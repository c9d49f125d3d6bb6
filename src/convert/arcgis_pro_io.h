#pragma once

#include <string>
#include <string_view>

#include "convert/bookmark.h"
#include "convert/write_notes.h"

// ArcGIS Pro bookmarks (".bkmx"): a CIMBookmarkDocument in JSON, each CIMBookmark with its
// extent as an envelope in its own spatial reference and a 2D camera on that extent.
namespace cw::convert {

class ReferenceSystems;

Bookmarks readArcGisPro(std::string_view text, const std::string& file, ReferenceSystems& systems);
// Pro keeps a name once per map: a second bookmark of a name gets " (2)" and so on, counted in
// `notes.renamedNames`.
std::string writeArcGisPro(const Bookmarks& bookmarks, ReferenceSystems& systems,
                           const std::string& file, WriteNotes& notes);

}  // namespace cw::convert

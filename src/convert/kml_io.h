#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/bookmark.h"
#include "convert/write_notes.h"

// KML 2.2: a Folder per group, a Placemark per bookmark with the exact box as a Region's
// LatLonAltBox and a LookAt on it (so that Google Earth flies there), the source extent, its
// reference system and the layer visibilities in ExtendedData.
namespace cw::convert {

Bookmarks readKml(std::string_view text, const std::string& file);
// `wgs84` holds each bookmark's box in WGS 84 (west > east across the antimeridian).
std::string writeKml(const Bookmarks& bookmarks, const std::vector<host::Envelope>& wgs84,
                     WriteNotes& notes);

}  // namespace cw::convert

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/bookmark.h"

// GeoJSON (RFC 7946): one Polygon feature per bookmark in WGS 84, with the source extent and
// reference system as properties so that a round trip is exact.
namespace cw::convert {

Bookmarks readGeoJson(std::string_view text, const std::string& file);
// `wgs84` holds each bookmark's box in WGS 84 (west > east across the antimeridian).
std::string writeGeoJson(const Bookmarks& bookmarks, const std::vector<host::Envelope>& wgs84);

}  // namespace cw::convert

#pragma once

#include <string>

#include "convert/bookmark.h"

namespace cw::convert {

// Refuses an extent that no map can show: a coordinate that is not a finite number, or a minimum
// above its maximum. `place` says where the bookmark stands in `file`.
void checkExtent(const host::Envelope& extent, const std::string& file, const std::string& place);
// True when checkExtent would accept the extent (for callers that make the place only when due).
bool isShowable(const host::Envelope& extent);

// Refuses a longitude/latitude box beyond the globe: a latitude outside -90 to 90, a longitude
// outside -540 to 540, or a west edge that no turn round the globe brings west of the east edge.
// West above east is a box across the antimeridian.
void checkWgs84Box(const host::Envelope& box, const std::string& file, const std::string& place);

}  // namespace cw::convert

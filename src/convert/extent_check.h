#pragma once

#include <string>

#include "convert/bookmark.h"

namespace cw::convert {

// Refuses an extent that no map can show: a coordinate that is not a finite number, or a minimum
// above its maximum. `place` says where the bookmark stands in `file`.
void checkExtent(const host::Envelope& extent, const std::string& file, const std::string& place);

}  // namespace cw::convert

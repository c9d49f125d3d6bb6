#pragma once

#include <string>
#include <string_view>

#include "convert/bookmark.h"

// CSV: a header line "group,name,xmin,ymin,xmax,ymax", then one bookmark a line (RFC 4180).
namespace cw::convert {

Bookmarks readCsv(std::string_view text, const std::string& file);
std::string writeCsv(const Bookmarks& bookmarks);

}  // namespace cw::convert

#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "convert/bookmark.h"
#include "convert/write_notes.h"

// QGIS spatial bookmarks as QGIS's bookmark manager exports and imports them.
namespace cw::convert {

class ReferenceSystems;

// The text is parsed where it stands, so it is taken whole.
Bookmarks readQgisXml(std::string text, const std::string& file);
// Every bookmark's reference system must have a QGIS id (the common EPSG systems do). The text
// goes to `out` in pieces as it is made.
void writeQgisXml(const Bookmarks& bookmarks, ReferenceSystems& systems, const std::string& file,
                  WriteNotes& notes, const std::function<void(std::string_view)>& out);
std::string writeQgisXml(const Bookmarks& bookmarks, ReferenceSystems& systems,
                         const std::string& file, WriteNotes& notes);

}  // namespace cw::convert

#pragma once

#include <QString>
#include <string>
#include <vector>

namespace cw {
class Module;
}

// Bookmark files of other GIS applications (QGIS, ArcGIS Pro, GeoJSON, KML, CSV, other lists)
// through the converter: into the active list as new groups, and out of it, in the reference
// system of the map. The active list is named as the system names it ("C:\..."), the other file
// by its path on this machine. What the converter tells comes back as lines; a file it cannot
// convert throws convert::InputError with nothing written.
namespace cw::qt {

std::vector<std::string> importBookmarkFile(Module& module, const std::string& file,
                                            const std::string& mapCrs);
// `group` "" exports every group.
std::vector<std::string> exportBookmarkFile(Module& module, const std::string& file,
                                            const std::string& group, const std::string& mapCrs);
// The groups of the active list that hold bookmarks, in list order.
std::vector<std::string> groupsOfActiveList(Module& module);
// The file dialogs' filter of the formats the converter reads and writes.
QString bookmarkFileFilter();

}  // namespace cw::qt

#include "frontends/qt/bookmark_files.h"

#include <optional>

#include "command/module.h"
#include "convert/conversion.h"
#include "convert/disk.h"
#include "convert/formats.h"
#include "convert/list_io.h"

namespace cw::qt {

namespace {

// Lists and CSV files name no system, like the map's list; every other format names its own.
bool namesItsSystem(const std::string& file) {
  const std::optional<convert::Format> format = convert::formatOfPath(file);
  return format && *format != convert::Format::kList && *format != convert::Format::kCsv;
}

std::vector<std::string> convert(Module& module, const std::string& input,
                                 const std::string& output, const std::string& group,
                                 const std::string& mapCrs, const std::string& file) {
  if (mapCrs.empty() && namesItsSystem(file)) {
    throw convert::InputError(file, "",
                              "the map names no reference system (its data frame has no "
                              "\"crs\"), so only lists and CSV files can be converted");
  }
  convert::ConvertOptions options;
  options.input = input;
  options.output = output;
  options.group = group;
  options.crs = mapCrs;
  options.appFileSystem = &module.storage.fs;
  // The list's layer visibilities travel with its bookmarks, in the side files the app keeps.
  if (module.storage.fs.directoryExists(module.paths.ProgramDir)) {
    options.programDir = module.paths.ProgramDir;
  }
  return convert::Convert(options);
}

}  // namespace

std::vector<std::string> importBookmarkFile(Module& module, const std::string& file,
                                            const std::string& mapCrs) {
  return convert(module, file, module.session.ActiveListPath, "", mapCrs, file);
}

std::vector<std::string> exportBookmarkFile(Module& module, const std::string& file,
                                            const std::string& group, const std::string& mapCrs) {
  return convert(module, module.session.ActiveListPath, file, group, mapCrs, file);
}

std::vector<std::string> groupsOfActiveList(Module& module) {
  const std::string& list = module.session.ActiveListPath;
  convert::Disk disk(&module.storage.fs);
  if (!disk.fs(list).fileExists(list)) return {};
  std::vector<std::string> groups;
  for (const convert::Bookmark& b : convert::readList(disk.readAll(list, 128 << 20), list)) {
    if (groups.empty() || groups.back() != b.group) groups.push_back(b.group);
  }
  return groups;
}

QString bookmarkFileFilter() {
  return "Bookmark files (*.xml *.bkmx *.geojson *.kml *.csv *.bmk);;QGIS bookmarks (*.xml);;"
         "ArcGIS Pro bookmarks (*.bkmx);;GeoJSON (*.geojson);;KML (*.kml);;CSV (*.csv);;"
         "Bookmark lists (*.bmk)";
}

}  // namespace cw::qt

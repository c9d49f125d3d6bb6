#include "convert/conversion.h"

#include <memory>
#include <optional>
#include <set>

#include "convert/arcgis_pro_io.h"
#include "convert/bookmark.h"
#include "convert/csv_io.h"
#include "convert/disk.h"
#include "convert/formats.h"
#include "convert/geojson_io.h"
#include "convert/kml_io.h"
#include "convert/list_io.h"
#include "convert/list_lock_hold.h"
#include "convert/qgis_xml_io.h"
#include "convert/reference_systems.h"
#include "convert/side_file_io.h"
#include "convert/write_notes.h"

namespace cw::convert {

namespace {

// Larger files are refused before they are parsed: 128 MiB holds a million bookmarks in any of
// the formats.
constexpr std::size_t kInputLimit = std::size_t{128} << 20;

Format formatOf(const std::string& path) {
  std::optional<Format> format = formatOfPath(path);
  if (!format) {
    throw InputError(path, "", "unknown format; the formats are " + knownExtensions());
  }
  return *format;
}

Bookmarks readInput(Format format, std::string& bytes, const std::string& file,
                    ReferenceSystems& systems) {
  switch (format) {
    case Format::kList:
      return readList(bytes, file);
    case Format::kCsv:
      return readCsv(bytes, file);
    case Format::kGeoJson:
      return readGeoJson(bytes, file);
    case Format::kQgisXml:
      return readQgisXml(std::move(bytes), file);
    case Format::kArcGisPro:
      return readArcGisPro(bytes, file, systems);
    case Format::kKml:
      return readKml(bytes, file);
    default:
      break;
  }
  throw InputError(file, "", "this format cannot be read yet");
}

// Lists and CSV name no reference system: --crs says which one they are in.
bool namesNoSystem(Format format) {
  return format == Format::kList || format == Format::kCsv;
}

bool isWgs84Only(Format format) {
  return format == Format::kGeoJson || format == Format::kKml;
}

std::string bookmarkPlace(const Bookmark& b) {
  return "bookmark \"" + b.group + "/" + b.name + "\"";
}

// The one system of a list or CSV target when --crs does not give it: the bookmarks' own, when
// they share one.
std::string sharedSystem(const Bookmarks& bookmarks, ReferenceSystems& systems,
                         const ConvertOptions& options) {
  std::string shared;
  for (const Bookmark& b : bookmarks) {
    if (b.crs.empty() || systems.same(b.crs, shared)) continue;
    if (!shared.empty()) {
      throw InputError(options.input, "",
                       "the bookmarks are in several reference systems (" + shared + ", " + b.crs +
                           "): give --crs for " + options.output);
    }
    shared = b.crs;
  }
  return shared;
}

// Brings every bookmark into the system the target holds it in; a list or CSV target gets one
// system for all, QGIS and ArcGIS Pro keep each bookmark's own. Returns the WGS 84 boxes for the
// formats that are WGS 84 only.
std::vector<host::Envelope> placeInTargetSystem(Bookmarks& bookmarks, Format from, Format to,
                                                ReferenceSystems& systems,
                                                const ConvertOptions& options,
                                                std::vector<std::string>& notes) {
  if (!options.crs.empty()) {
    if (!namesNoSystem(from) && !namesNoSystem(to)) {
      throw InputError("--crs", "", "applies to a .bmk or .csv side, and neither file is one");
    }
    systems.check(options.crs, "--crs", "");
  }
  if (namesNoSystem(from)) {
    for (Bookmark& b : bookmarks) b.crs = options.crs;
  }
  std::vector<host::Envelope> wgs84;
  if (namesNoSystem(to)) {
    std::string target = options.crs;
    if (target.empty()) {
      target = sharedSystem(bookmarks, systems, options);
      if (!target.empty()) {
        notes.push_back("extents kept in " + target + " (give --crs for another system)");
      }
    }
    for (Bookmark& b : bookmarks) {
      if (!b.crs.empty() && !target.empty() && b.crs != target) {
        b.extent = systems.transform(b.extent, b.crs, target, options.input, bookmarkPlace(b));
      }
      b.crs = target;
    }
  } else {
    std::string lastChecked;
    for (Bookmark& b : bookmarks) {
      if (b.crs.empty()) {
        throw InputError(options.input, "",
                         "a list or CSV names no reference system: give --crs (the system its "
                         "extents are in)");
      }
      if (isWgs84Only(to)) {
        wgs84.push_back(withLongitudesWithin180(
            systems.transform(b.extent, b.crs, kWgs84, options.input, bookmarkPlace(b))));
      } else if (b.crs != lastChecked) {
        systems.check(b.crs, options.input, bookmarkPlace(b));
        lastChecked = b.crs;
      }
    }
  }
  if (!isWgs84Only(to)) {
    // A box across the antimeridian read from WGS 84 formats runs on past 180 degrees instead.
    for (Bookmark& b : bookmarks) {
      if (b.extent.XMin > b.extent.XMax) b.extent.XMax += 360;
    }
  }
  return wgs84;
}

std::string count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::size_t groupCount(const Bookmarks& bookmarks) {
  std::set<std::string> groups;
  const std::string* last = nullptr;
  for (const Bookmark& b : bookmarks) {
    if (last && *last == b.group) continue;  // a group's bookmarks mostly come together
    groups.insert(b.group);
    last = &b.group;
  }
  return groups.size();
}

// What the target format cannot hold, counted.
void reportDropped(const Bookmarks& bookmarks, const FormatTraits& target, bool layersKept,
                   std::vector<std::string>& notes) {
  std::size_t descriptions = 0, layers = 0, rotations = 0;
  for (const Bookmark& b : bookmarks) {
    descriptions += !b.description.empty() && !target.descriptions;
    layers += !b.layers.empty() && !layersKept;
    rotations += b.rotation != 0 && !target.rotation;
  }
  const std::string format = target.extension;
  if (descriptions) {
    notes.push_back("dropped: the descriptions of " + count(descriptions, "bookmark", "bookmarks") +
                    " (" + format + " holds none)");
  }
  if (layers) {
    notes.push_back("dropped: the layer visibilities of " + count(layers, "bookmark", "bookmarks") +
                    (target.layerVisibilities ? " (give --program-dir to keep them)"
                                              : " (" + format + " holds none)"));
  }
  if (rotations) {
    notes.push_back("dropped: the rotation of " + count(rotations, "bookmark", "bookmarks") + " (" +
                    format + " holds none)");
  }
}

void reportListAddition(const ListAddition& a, std::vector<std::string>& notes) {
  if (a.renamedGroups) {
    notes.push_back("renamed: " + count(a.renamedGroups, "group", "groups") +
                    " whose name the list already holds");
  }
  if (a.changedNames) {
    notes.push_back("changed: " + count(a.changedNames, "name", "names") +
                    " the list cannot hold as they are (stored as the import stores them)");
  }
  if (a.droppedEmpty) {
    notes.push_back("dropped: " + count(a.droppedEmpty, "bookmark", "bookmarks") +
                    " without a name");
  }
  if (a.droppedReserved) {
    notes.push_back("dropped: " + count(a.droppedReserved, "bookmark", "bookmarks") +
                    " named like a reserved value of the list format");
  }
  if (a.droppedDuplicates) {
    notes.push_back("dropped: " + count(a.droppedDuplicates, "bookmark", "bookmarks") +
                    " whose group already holds a bookmark of the same name");
  }
}

void noteOffTheProgramDrive(const ListSideFiles& sideFiles, const std::string& list,
                            const char* verb, std::vector<std::string>& notes) {
  if (sideFiles.onProgramDrive()) return;
  notes.push_back(std::string("no layer visibilities ") + verb + ": " + list +
                  " is not on the program's drive (" + sideFiles.programDrive() +
                  "), and only lists there have them");
}

}  // namespace

std::vector<std::string> Convert(const ConvertOptions& given) {
  ConvertOptions options = given;
  options.crs = crsDefinition(given.crs);
  const Format from = formatOf(options.input);
  const Format to = formatOf(options.output);
  Disk disk(options.appFileSystem);
  platform::FileSystem& outputFs = disk.fs(options.output);
  if (&disk.fs(options.input) == &outputFs &&
      outputFs.fileExists(disk.windowsPath(options.output)) &&
      outputFs.sameFile(disk.windowsPath(options.input), disk.windowsPath(options.output))) {
    throw InputError(options.output, "", "is the input file itself");
  }

  std::string input = disk.readAll(options.input, kInputLimit);
  if (input.find_first_not_of(" \t\r\n") == std::string::npos) {
    throw InputError(options.input, "", "the file is empty");
  }
  ReferenceSystems systems;
  Bookmarks bookmarks = readInput(from, input, options.input, systems);
  std::string().swap(input);  // the bookmarks hold all of it now, and the output is to come
  std::vector<std::string> notes;
  std::optional<ListSideFiles> inputSideFiles, outputSideFiles;
  if (!options.programDir.empty()) {
    if (from != Format::kList && to != Format::kList) {
      throw InputError("--program-dir", "", "applies to a .bmk side, and neither file is one");
    }
    if (!disk.fs(options.programDir).directoryExists(disk.windowsPath(options.programDir))) {
      throw InputError(options.programDir, "", "no such directory (given as --program-dir)");
    }
    if (from == Format::kList) {
      inputSideFiles.emplace(disk, options.programDir, options.input);
      inputSideFiles->read(bookmarks);
      noteOffTheProgramDrive(*inputSideFiles, options.input, "read", notes);
    }
    if (to == Format::kList) {
      outputSideFiles.emplace(disk, options.programDir, options.output);
      noteOffTheProgramDrive(*outputSideFiles, options.output, "written", notes);
    }
  }
  if (!options.group.empty()) {
    std::erase_if(bookmarks, [&](const Bookmark& b) { return b.group != options.group; });
    if (bookmarks.empty()) throw InputError(options.input, "", "no group " + options.group);
  }

  const std::vector<host::Envelope> wgs84 =
      placeInTargetSystem(bookmarks, from, to, systems, options, notes);
  const FormatTraits& target = traitsOf(to);
  WriteNotes writeNotes;
  std::string output;
  Bookmarks written;
  bool layersKept = target.layerVisibilities;
  std::unique_ptr<ListLockHold> listLock;
  if (to == Format::kList) {
    layersKept = outputSideFiles && outputSideFiles->onProgramDrive();
    listLock =
        std::make_unique<ListLockHold>(outputFs, disk.windowsPath(options.output), options.output);
    std::string existing;
    if (outputFs.fileExists(disk.windowsPath(options.output))) {
      existing = disk.readAll(options.output, kInputLimit);
    }
    ListAddition addition = addToList(existing, std::move(bookmarks), options.output);
    output = std::move(addition.bytes);
    reportListAddition(addition, notes);
    written = std::move(addition.written);
    // The visibilities first: a list never names a bookmark whose file is still to come.
    if (layersKept) outputSideFiles->write(written);
  }
  // A format other than a list is written as it is made; a list is whole before it is written,
  // since it holds the existing list too.
  auto writeOutput = [&](platform::OutputStream& out) {
    auto piece = [&out](std::string_view text) { out.write(text); };
    switch (to) {
      case Format::kCsv:
        out.write(writeCsv(bookmarks));
        break;
      case Format::kGeoJson:
        out.write(writeGeoJson(bookmarks, wgs84));
        break;
      case Format::kQgisXml:
        writeQgisXml(bookmarks, systems, options.output, writeNotes, piece);
        break;
      case Format::kArcGisPro:
        out.write(writeArcGisPro(bookmarks, systems, options.output, writeNotes));
        break;
      case Format::kKml:
        out.write(writeKml(bookmarks, wgs84, writeNotes));
        break;
      default:
        throw InputError(options.output, "", "this format cannot be written yet");
    }
  };
  try {
    if (to == Format::kList) {
      disk.replace(options.output, output);
    } else {
      disk.replace(options.output, writeOutput);
      written = std::move(bookmarks);
    }
  } catch (const InputError&) {
    if (outputSideFiles && layersKept) outputSideFiles->discardWritten();
    throw;
  }
  if (writeNotes.changedNames) {
    notes.push_back("changed: " + count(writeNotes.changedNames, "name", "names") +
                    " holding characters " + target.extension +
                    " cannot hold (replaced by U+FFFD)");
  }
  if (writeNotes.renamedNames) {
    notes.push_back("renamed: " + count(writeNotes.renamedNames, "bookmark", "bookmarks") +
                    " whose name an earlier one has (" + target.extension +
                    " holds each name once)");
  }
  reportDropped(written, target, layersKept, notes);
  notes.insert(notes.begin(), "wrote " + count(written.size(), "bookmark", "bookmarks") + " in " +
                                  count(groupCount(written), "group", "groups") + " to " +
                                  options.output);
  return notes;
}

}  // namespace cw::convert

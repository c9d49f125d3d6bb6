#include "convert/conversion.h"

#include <optional>
#include <set>

#include "convert/bookmark.h"
#include "convert/csv_io.h"
#include "convert/disk.h"
#include "convert/formats.h"
#include "convert/list_io.h"

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

Bookmarks readInput(Format format, const std::string& bytes, const std::string& file) {
  switch (format) {
    case Format::kList:
      return readList(bytes, file);
    case Format::kCsv:
      return readCsv(bytes, file);
    default:
      break;
  }
  throw InputError(file, "", "this format cannot be read yet");
}

std::string count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::size_t groupCount(const Bookmarks& bookmarks) {
  std::set<std::string> groups;
  for (const Bookmark& b : bookmarks) groups.insert(b.group);
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

}  // namespace

std::vector<std::string> Convert(const ConvertOptions& options) {
  const Format from = formatOf(options.input);
  const Format to = formatOf(options.output);
  Disk disk;
  if (disk.fs().fileExists(disk.windowsPath(options.output)) &&
      disk.fs().sameFile(disk.windowsPath(options.input), disk.windowsPath(options.output))) {
    throw InputError(options.output, "", "is the input file itself");
  }

  const std::string input = disk.readAll(options.input, kInputLimit);
  if (input.find_first_not_of(" \t\r\n") == std::string::npos) {
    throw InputError(options.input, "", "the file is empty");
  }
  Bookmarks bookmarks = readInput(from, input, options.input);
  if (!options.group.empty()) {
    std::erase_if(bookmarks, [&](const Bookmark& b) { return b.group != options.group; });
    if (bookmarks.empty()) throw InputError(options.input, "", "no group " + options.group);
  }

  std::vector<std::string> notes;
  const FormatTraits& target = traitsOf(to);
  std::string output;
  Bookmarks written;
  bool layersKept = target.layerVisibilities;
  if (to == Format::kList) {
    layersKept = false;
    std::string existing;
    if (disk.fs().fileExists(disk.windowsPath(options.output))) {
      existing = disk.readAll(options.output, kInputLimit);
    }
    ListAddition addition = addToList(existing, bookmarks, options.output);
    output = std::move(addition.bytes);
    reportListAddition(addition, notes);
    written = std::move(addition.written);
  } else {
    output = writeCsv(bookmarks);
    written = bookmarks;
  }
  reportDropped(written, target, layersKept, notes);
  disk.replace(options.output, output);
  notes.insert(notes.begin(), "wrote " + count(written.size(), "bookmark", "bookmarks") + " in " +
                                  count(groupCount(written), "group", "groups") + " to " +
                                  options.output);
  return notes;
}

}  // namespace cw::convert

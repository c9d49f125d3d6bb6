// The converter's readers, one format per input: the first byte chooses the format, the rest is
// the file. Checked: a reader either reads the file or refuses it with its one-line message, never
// with another exception; what it reads has finite extents with the minimum below the maximum
// (west may exceed east for a WGS 84 box across the antimeridian); and what it read, written in
// the same format and read again, comes back as the same number of bookmarks with the same
// extents.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "convert/arcgis_pro_io.h"
#include "convert/csv_io.h"
#include "convert/geojson_io.h"
#include "convert/kml_io.h"
#include "convert/list_io.h"
#include "convert/qgis_xml_io.h"
#include "convert/reference_systems.h"
#include "fuzz_support.h"

namespace {

using cw::convert::Bookmarks;

enum class Format { kList, kCsv, kGeoJson, kQgisXml, kArcGisPro, kKml, kCount };

cw::convert::ReferenceSystems& systems() {
  static cw::convert::ReferenceSystems shared;
  return shared;
}

Bookmarks readAs(Format format, std::string_view text) {
  const std::string file = "fuzz";
  switch (format) {
    case Format::kList:
      return cw::convert::readList(text, file);
    case Format::kCsv:
      return cw::convert::readCsv(text, file);
    case Format::kGeoJson:
      return cw::convert::readGeoJson(text, file);
    case Format::kQgisXml:
      return cw::convert::readQgisXml(std::string(text), file);
    case Format::kArcGisPro:
      return cw::convert::readArcGisPro(text, file, systems());
    default:
      return cw::convert::readKml(text, file);
  }
}

std::vector<cw::host::Envelope> wgs84Boxes(const Bookmarks& bookmarks) {
  std::vector<cw::host::Envelope> boxes;
  for (const auto& b : bookmarks) {
    boxes.push_back(cw::convert::withLongitudesWithin180(
        systems().transform(b.extent, b.crs, cw::convert::kWgs84, "fuzz", "")));
  }
  return boxes;
}

// The file again in its own format; "" where the format cannot hold what was read (a system
// without a QGIS id, a box PROJ cannot transform).
std::string writeAs(Format format, const Bookmarks& bookmarks) {
  cw::convert::WriteNotes notes;
  try {
    switch (format) {
      case Format::kList:
        return cw::convert::addToList("", bookmarks, "fuzz").bytes;
      case Format::kCsv:
        return cw::convert::writeCsv(bookmarks);
      case Format::kGeoJson:
        return cw::convert::writeGeoJson(bookmarks, wgs84Boxes(bookmarks));
      case Format::kQgisXml:
        return cw::convert::writeQgisXml(bookmarks, systems(), "fuzz", notes);
      case Format::kArcGisPro:
        return cw::convert::writeArcGisPro(bookmarks, systems(), "fuzz", notes);
      default:
        return cw::convert::writeKml(bookmarks, wgs84Boxes(bookmarks), notes);
    }
  } catch (const cw::convert::InputError&) {
    return {};
  }
}

void checkExtents(const Bookmarks& bookmarks, std::string_view what) {
  for (const auto& b : bookmarks) {
    const auto& e = b.extent;
    const bool finite = std::isfinite(e.XMin) && std::isfinite(e.YMin) && std::isfinite(e.XMax) &&
                        std::isfinite(e.YMax);
    cw::fuzz::check(finite, "an extent that is not finite", what);
    cw::fuzz::check(e.YMin <= e.YMax, "south above north", what);
    cw::fuzz::check(e.XMin <= e.XMax || b.crs == cw::convert::kWgs84, "west above east", what);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto format = static_cast<Format>(data[0] % static_cast<int>(Format::kCount));
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  Bookmarks read;
  try {
    read = readAs(format, text);
  } catch (const cw::convert::InputError& error) {
    const std::string message = error.what();
    cw::fuzz::check(message.starts_with("fuzz: ") && message.find('\n') == std::string::npos,
                    "a refusal that is not one line naming the file", message);
    return 0;
  } catch (const std::exception& error) {
    cw::fuzz::fail("a reader failed with another exception", error.what());
  }
  checkExtents(read, "as read");
  if (format == Format::kList) return 0;  // a list leaves out names it cannot hold
  const std::string again = writeAs(format, read);
  if (again.empty()) return 0;
  Bookmarks back;
  try {
    back = readAs(format, again);
  } catch (const std::exception& error) {
    cw::fuzz::fail("what was written cannot be read", std::string(error.what()) + "\n" + again);
  }
  cw::fuzz::check(back.size() == read.size(), "a different number of bookmarks read back", again);
  for (std::size_t i = 0; i < read.size(); ++i) {
    cw::fuzz::check(back[i].extent == read[i].extent, "an extent changed on the way", again);
  }
  return 0;
}

#include "convert/arcgis_pro_io.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <unordered_set>

#include "convert/extent_check.h"
#include "convert/json_text.h"
#include "convert/reference_systems.h"

namespace cw::convert {

namespace {

using nlohmann::json;
// Written in the order Pro writes, its "type" discriminator first.
using nlohmann::ordered_json;

// What the document says it was written by: a version every Pro since 2.9 reads.
constexpr const char* kVersion = "2.9.0";
constexpr int kBuild = 32739;
// The view the camera is set for, in pixels at Pro's 96 per inch, when a file names none.
constexpr double kViewportWidth = 960;
constexpr double kMetresPerPixel = 0.0254 / 96;
// Esri's own well-known id of Web Mercator, which Pro writes beside the EPSG code.
constexpr int kEsriWebMercator = 102100;

class DocumentReader {
 public:
  DocumentReader(const std::string& file, ReferenceSystems& systems)
      : file_(file), systems_(systems) {}

  [[noreturn]] void fail(const std::string& place, const std::string& what) const {
    throw InputError(file_, place, what);
  }

  // A number, also as Pro writes the ones it has none for ("NaN"); NaN when missing.
  static double number(const json& object, const char* key) {
    auto at = object.find(key);
    if (at == object.end() || !at->is_number()) return NAN;
    return at->get<double>();
  }

  std::string text(const json& object, const char* key, const std::string& place) const {
    auto at = object.find(key);
    if (at == object.end() || at->is_null()) return {};
    if (!at->is_string()) fail(place, std::string("\"") + key + "\" is not a string");
    return at->get<std::string>();
  }

  // The system a spatialReference names: its latest EPSG code, an Esri code, or its WKT.
  std::string system(const json& reference, const std::string& place) {
    if (!reference.is_object()) fail(place, "no \"spatialReference\"");
    for (const char* key : {"latestWkid", "wkid"}) {
      const double id = number(reference, key);
      if (!std::isfinite(id) || id != std::floor(id) || id <= 0 || id > 1e9) continue;
      // Esri's own ids start at 100000; the EPSG codes lie below.
      const bool esri = id >= 100000;
      for (const char* authority : {esri ? "ESRI:" : "EPSG:", esri ? "EPSG:" : "ESRI:"}) {
        const std::string crs = authority + std::to_string(static_cast<int>(id));
        try {
          systems_.check(crs, file_, place);
          return crs;
        } catch (const InputError&) {
        }
      }
    }
    const std::string wkt = text(reference, "wkt", place);
    if (!wkt.empty()) {
      systems_.check(wkt, file_, place);
      return wkt;
    }
    fail(place, "the spatialReference names no system known here (" + reference.dump() + ")");
  }

  // The extent of the bookmark: its location, or else the view its 2D camera shows.
  host::Envelope extent(const json& bookmark, const std::string& crs, const std::string& place) {
    if (auto location = bookmark.find("location"); location != bookmark.end()) {
      if (!location->is_object()) fail(place, "\"location\" is not an envelope");
      const host::Envelope e{number(*location, "xmin"), number(*location, "ymin"),
                             number(*location, "xmax"), number(*location, "ymax")};
      checkExtent(e, file_, place);
      return e;
    }
    const json& camera = bookmark.value("camera", json());
    if (!camera.is_object()) fail(place, "neither a \"location\" nor a \"camera\"");
    const double x = number(camera, "x"), y = number(camera, "y"), scale = number(camera, "scale");
    double width = number(camera, "viewportWidth"), height = number(camera, "viewportHeight");
    if (!std::isfinite(width) || !std::isfinite(height) || width <= 0 || height <= 0) {
      width = kViewportWidth;
      height = kViewportWidth * 5 / 8;
    }
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(scale) || scale <= 0) {
      fail(place, "the camera has no x, y and scale");
    }
    const double unitsPerPixel = scale * kMetresPerPixel / systems_.metresPerUnit(crs);
    const host::Envelope seen{x - width / 2 * unitsPerPixel, y - height / 2 * unitsPerPixel,
                              x + width / 2 * unitsPerPixel, y + height / 2 * unitsPerPixel};
    checkExtent(seen, file_, place);  // a scale beyond any number, say
    return seen;
  }

 private:
  const std::string& file_;
  ReferenceSystems& systems_;
};

ordered_json spatialReferenceOf(const std::string& crs, ReferenceSystems& systems,
                                const std::string& file, const std::string& place) {
  if (auto epsg = systems.epsgCode(crs)) {
    if (*epsg == 3857) return {{"wkid", kEsriWebMercator}, {"latestWkid", 3857}};
    return {{"wkid", *epsg}, {"latestWkid", *epsg}};
  }
  const std::string wkt = systems.esriWkt(crs);
  if (wkt.empty()) {
    throw InputError(file, place, "ArcGIS Pro cannot name the reference system " + crs);
  }
  return {{"wkt", wkt}};
}

// A 2D camera looking straight down on the middle of the extent, at the scale that shows all of
// it in a view of kViewportWidth pixels and the extent's proportions.
ordered_json cameraOn(const host::Envelope& e, double metresPerUnit) {
  const double width = std::fmax(e.XMax - e.XMin, 1e-9), height = e.YMax - e.YMin;
  const double viewportHeight = std::fmax(1, std::round(kViewportWidth * height / width));
  const double scale = width * metresPerUnit / (kViewportWidth * kMetresPerPixel);
  return {{"type", "CIMViewCamera"},
          {"heading", 0},
          {"pitch", -90},
          {"roll", 0},
          {"scale", scale},
          {"viewportHeight", viewportHeight},
          {"viewportWidth", kViewportWidth},
          {"x", (e.XMin + e.XMax) / 2},
          {"y", (e.YMin + e.YMax) / 2},
          {"z", "NaN"}};
}

}  // namespace

Bookmarks readArcGisPro(std::string_view text, const std::string& file, ReferenceSystems& systems) {
  const json document = parseJson(text, file);
  DocumentReader read(file, systems);
  if (!document.is_object() || document.value("type", json()) != "CIMBookmarkDocument") {
    read.fail("", "not ArcGIS Pro bookmarks: no \"type\": \"CIMBookmarkDocument\"");
  }
  const json& list = document.value("bookmarks", json::array());
  if (!list.is_array()) read.fail("", "\"bookmarks\" is not an array");
  const json& shared = document.value("spatialReference", json());
  Bookmarks bookmarks;
  int index = 0;
  for (const json& element : list) {
    const std::string place = "bookmark " + std::to_string(++index);
    if (!element.is_object()) read.fail(place, "not an object");
    Bookmark b;
    b.name = read.text(element, "name", place);
    b.group = read.text(element, "groupName", place);
    b.description = read.text(element, "description", place);
    const json& location = element.value("location", json());
    const json& own = location.is_object() ? location.value("spatialReference", json()) : json();
    b.crs = read.system(own.is_object() ? own : shared, place);
    b.extent = read.extent(element, b.crs, place);
    bookmarks.push_back(std::move(b));
  }
  return bookmarks;
}

std::string writeArcGisPro(const Bookmarks& bookmarks, ReferenceSystems& systems,
                           const std::string& file, WriteNotes& notes) {
  ordered_json list = json::array();
  std::unordered_set<std::string> names;
  std::string lastCrs;
  ordered_json reference;
  double metresPerUnit = 1;
  for (const Bookmark& b : bookmarks) {
    if (list.empty() || b.crs != lastCrs) {
      reference = spatialReferenceOf(b.crs, systems, file, "bookmark \"" + b.name + "\"");
      metresPerUnit = systems.metresPerUnit(b.crs);
      lastCrs = b.crs;
    }
    std::string name = b.name;
    for (int n = 2; !names.insert(name).second; ++n) name = b.name + " (" + std::to_string(n) + ")";
    notes.renamedNames += name != b.name;
    ordered_json bookmark = {{"type", "CIMBookmark"}, {"name", name}};
    if (!b.group.empty()) bookmark["groupName"] = b.group;
    if (!b.description.empty()) bookmark["description"] = b.description;
    bookmark["camera"] = cameraOn(b.extent, metresPerUnit);
    bookmark["location"] = {{"xmin", b.extent.XMin},
                            {"ymin", b.extent.YMin},
                            {"xmax", b.extent.XMax},
                            {"ymax", b.extent.YMax},
                            {"spatialReference", reference}};
    list.push_back(std::move(bookmark));
  }
  ordered_json document = {
      {"type", "CIMBookmarkDocument"}, {"version", kVersion}, {"build", kBuild}};
  if (!list.empty()) document["spatialReference"] = list[0]["location"]["spatialReference"];
  document["bookmarks"] = std::move(list);
  return document.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace cw::convert

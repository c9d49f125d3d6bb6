#include "convert/geojson_io.h"

#include <cmath>
#include <exception>
#include <nlohmann/json.hpp>

#include "convert/extent_check.h"
#include "convert/json_text.h"
#include "convert/reference_systems.h"

namespace cw::convert {

namespace {

using nlohmann::json;

json ring(double west, double south, double east, double north) {
  // Counter-clockwise, as RFC 7946 asks of exterior rings.
  return json::array({json::array({json::array({west, south}), json::array({east, south}),
                                   json::array({east, north}), json::array({west, north}),
                                   json::array({west, south})})});
}

json geometryOf(const host::Envelope& box) {
  if (box.XMin <= box.XMax) {
    return {{"type", "Polygon"}, {"coordinates", ring(box.XMin, box.YMin, box.XMax, box.YMax)}};
  }
  // Across the antimeridian: one part on each side of it.
  return {{"type", "MultiPolygon"},
          {"coordinates", json::array({ring(box.XMin, box.YMin, 180, box.YMax),
                                       ring(-180, box.YMin, box.XMax, box.YMax)})}};
}

class FeatureReader {
 public:
  FeatureReader(const std::string& file, std::string place)
      : file_(file), place_(std::move(place)) {}

  [[noreturn]] void fail(const std::string& what) const { throw InputError(file_, place_, what); }

  std::string text(const json& object, const char* key, bool required) const {
    auto at = object.find(key);
    if (at == object.end() || at->is_null()) {
      if (required) fail(std::string("no \"") + key + "\" property");
      return {};
    }
    if (!at->is_string()) fail(std::string("\"") + key + "\" is not a string");
    return at->get<std::string>();
  }

  double number(const json& value, const std::string& what) const {
    if (!value.is_number()) fail(what + " is not a number");
    const double n = value.get<double>();
    if (!std::isfinite(n)) fail(what + " is not a finite number");
    return n;
  }

  host::Envelope box(const json& value, const std::string& what) const {
    if (!value.is_array() || value.size() != 4) fail(what + " is not an array of four numbers");
    return {number(value[0], what), number(value[1], what), number(value[2], what),
            number(value[3], what)};
  }

  // The bounds of a Polygon's or MultiPolygon's coordinates.
  host::Envelope bounds(const json& geometry) const {
    if (!geometry.is_object()) fail("the feature has neither a bbox nor a geometry");
    const std::string type = text(geometry, "type", true);
    const json& coordinates = geometry.value("coordinates", json());
    host::Envelope e{INFINITY, INFINITY, -INFINITY, -INFINITY};
    auto add = [&](const json& position) {
      if (!position.is_array() || position.size() < 2) fail("a position is not [x, y]");
      const double x = number(position[0], "a coordinate"), y = number(position[1], "a coordinate");
      e = {std::fmin(e.XMin, x), std::fmin(e.YMin, y), std::fmax(e.XMax, x), std::fmax(e.YMax, y)};
    };
    auto addPolygon = [&](const json& rings) {
      if (!rings.is_array()) fail("the coordinates are not polygon rings");
      for (const json& r : rings) {
        if (!r.is_array()) fail("a ring is not an array of positions");
        for (const json& position : r) add(position);
      }
    };
    if (type == "Polygon") {
      addPolygon(coordinates);
    } else if (type == "MultiPolygon" && coordinates.is_array()) {
      for (const json& polygon : coordinates) addPolygon(polygon);
    } else {
      fail("the geometry is a " + type + ", not a Polygon or MultiPolygon with a bbox");
    }
    if (!std::isfinite(e.XMin)) fail("the geometry has no coordinates");
    return e;
  }

 private:
  const std::string& file_;
  std::string place_;
};

// One feature of the collection, the `index`th.
Bookmark readFeature(const json& feature, int index, const std::string& file) {
  FeatureReader read(file, "feature " + std::to_string(index));
  if (!feature.is_object()) read.fail("not an object");
  const json& properties = feature.value("properties", json::object());
  if (!properties.is_object()) read.fail("\"properties\" is not an object");
  Bookmark b;
  b.name = read.text(properties, "name", true);
  b.group = read.text(properties, "group", false);
  b.description = read.text(properties, "description", false);
  if (properties.contains("extent") && properties.contains("crs")) {
    // Written by this converter: the source's own extent, exactly.
    b.crs = read.text(properties, "crs", true);
    b.extent = read.box(properties["extent"], "\"extent\"");
    // A WGS 84 box from GeoJSON or KML keeps west > east across the antimeridian.
    if (b.crs == kWgs84) {
      checkWgs84Box(b.extent, file, "feature " + std::to_string(index));
    } else {
      checkExtent(b.extent, file, "feature " + std::to_string(index));
    }
  } else {
    b.crs = kWgs84;
    b.extent = feature.contains("bbox") ? read.box(feature["bbox"], "\"bbox\"")
                                        : read.bounds(feature.value("geometry", json()));
    if (b.extent.YMin > b.extent.YMax) read.fail("south is greater than north");
    checkWgs84Box(b.extent, file, "feature " + std::to_string(index));
  }
  if (const json& layers = properties.value("layers", json::array()); layers.is_array()) {
    for (const json& layer : layers) {
      if (!layer.is_object() || !layer.value("visible", json()).is_boolean()) {
        read.fail("a layer is not {\"frame\", \"layer\", \"visible\": true or false}");
      }
      b.layers.push_back({read.text(layer, "frame", true), read.text(layer, "layer", true),
                          layer["visible"].get<bool>()});
    }
  } else {
    read.fail("\"layers\" is not an array");
  }
  return b;
}

}  // namespace

Bookmarks readGeoJson(std::string_view text, const std::string& file) {
  // The features are read as the parser reaches them, so the document is never held whole. A
  // fault in a feature is told once the whole file is known to be JSON and a FeatureCollection,
  // as faults of the file come before those of its features.
  Bookmarks bookmarks;
  int index = 0;
  std::exception_ptr featureFault;
  bool featuresHeldArray = false;
  const json document = parseJsonItemByItem(
      text, file, "features",
      [&](const json& feature) {
        if (featureFault) return;
        try {
          bookmarks.push_back(readFeature(feature, ++index, file));
        } catch (const InputError&) {
          featureFault = std::current_exception();
        }
      },
      featuresHeldArray);
  if (!document.is_object() || document.value("type", json()) != "FeatureCollection" ||
      !featuresHeldArray) {
    throw InputError(file, "", "not a GeoJSON FeatureCollection");
  }
  if (featureFault) std::rethrow_exception(featureFault);
  return bookmarks;
}

std::string writeGeoJson(const Bookmarks& bookmarks, const std::vector<host::Envelope>& wgs84) {
  // One feature a line: readable, and far smaller than an indented tree.
  std::string out = "{\"type\":\"FeatureCollection\",\"features\":[\n";
  for (std::size_t i = 0; i < bookmarks.size(); ++i) {
    const Bookmark& b = bookmarks[i];
    const host::Envelope& box = wgs84[i];
    json properties = {{"name", b.name},
                       {"group", b.group},
                       {"extent", {b.extent.XMin, b.extent.YMin, b.extent.XMax, b.extent.YMax}},
                       {"crs", b.crs}};
    if (!b.description.empty()) properties["description"] = b.description;
    if (!b.layers.empty()) {
      json layers = json::array();
      for (const LayerVisibility& l : b.layers) {
        layers.push_back({{"frame", l.frame}, {"layer", l.layer}, {"visible", l.visible}});
      }
      properties["layers"] = std::move(layers);
    }
    const json feature = {{"type", "Feature"},
                          {"bbox", {box.XMin, box.YMin, box.XMax, box.YMax}},
                          {"geometry", geometryOf(box)},
                          {"properties", std::move(properties)}};
    if (i) out += ",\n";
    // Invalid UTF-8 in a name is replaced rather than fatal.
    out += feature.dump(-1, ' ', false, json::error_handler_t::replace);
  }
  out += "\n]}\n";
  return out;
}

}  // namespace cw::convert

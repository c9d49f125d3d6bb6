// Reading a map document from JSON. Every fault names its place in the document, so a user who
// wrote the file by hand can find it; nothing in a bad document reaches the host objects.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <initializer_list>
#include <nlohmann/json.hpp>

#include "base/failure.h"
#include "hosts/standin/document_files.h"
#include "hosts/standin/text_forms.h"

namespace cw::standin {

namespace {

using nlohmann::json;

constexpr int kDeepestGroup = 32;

[[noreturn]] void bad(const std::string& where, const std::string& what) {
  throw Failure(err::kInvalidProcedureCall,
                "Map document: " + (where.empty() ? std::string() : where + ": ") + what);
}

std::string at(const std::string& where, const std::string& key) {
  return where.empty() ? key : where + "." + key;
}

std::string at(const std::string& where, std::size_t index) {
  return where + "[" + std::to_string(index) + "]";
}

void needObject(const json& value, const std::string& where) {
  if (!value.is_object()) bad(where, "expected an object");
}

void needArray(const json& value, const std::string& where) {
  if (!value.is_array()) bad(where, "expected an array");
}

void allowKeys(const json& object, const std::string& where,
               std::initializer_list<std::string_view> keys) {
  for (const auto& item : object.items()) {
    bool known = false;
    for (auto key : keys) known = known || item.key() == key;
    if (!known) bad(where, "unknown key " + quotedName(item.key()));
  }
}

const json* find(const json& object, const char* key) {
  auto it = object.find(key);
  return it == object.end() ? nullptr : &*it;
}

std::string text(const json& value, const std::string& where) {
  if (!value.is_string()) bad(where, "expected a text");
  return value.get<std::string>();
}

std::string requiredText(const json& object, const char* key, const std::string& where) {
  const json* value = find(object, key);
  if (!value) bad(where, "missing " + quotedName(key));
  return text(*value, at(where, key));
}

double number(const json& value, const std::string& where) {
  if (!value.is_number()) bad(where, "expected a number");
  double result = value.get<double>();
  if (!std::isfinite(result)) bad(where, "expected a finite number");
  return result;
}

int index(const json& value, const std::string& where) {
  if (!value.is_number_integer() || value.get<long long>() < 0 ||
      value.get<long long>() > 1'000'000'000) {
    bad(where, "expected an index (a whole number from 0)");
  }
  return static_cast<int>(value.get<long long>());
}

bool flag(const json& value, const std::string& where) {
  if (!value.is_boolean()) bad(where, "expected true or false");
  return value.get<bool>();
}

host::Envelope envelope(const json& value, const std::string& where) {
  if (!value.is_array() || value.size() != 4) bad(where, "expected [xmin, ymin, xmax, ymax]");
  return {number(value[0], at(where, 0)), number(value[1], at(where, 1)),
          number(value[2], at(where, 2)), number(value[3], at(where, 3))};
}

std::string color(const json& value, const std::string& where) {
  std::string result = text(value, where);
  bool ok = result.size() == 7 && result[0] == '#';
  for (std::size_t i = 1; ok && i < result.size(); ++i) {
    ok = std::isxdigit(static_cast<unsigned char>(result[i])) != 0;
  }
  if (!ok) bad(where, "expected a colour as #rrggbb, not " + quotedName(result));
  return result;
}

// GeoJSON positions: [x, y] with an optional height, which the map does not use.
std::pair<double, double> position(const json& value, const std::string& where) {
  if (!value.is_array() || value.size() < 2 || value.size() > 3) bad(where, "expected [x, y]");
  return {number(value[0], at(where, 0)), number(value[1], at(where, 1))};
}

std::vector<std::pair<double, double>> positions(const json& value, const std::string& where,
                                                 std::size_t fewest, const char* what) {
  needArray(value, where);
  if (value.size() < fewest) {
    bad(where,
        std::string("a ") + what + " needs " + std::to_string(fewest) + " or more positions");
  }
  std::vector<std::pair<double, double>> path;
  for (std::size_t i = 0; i < value.size(); ++i) path.push_back(position(value[i], at(where, i)));
  return path;
}

void rings(const json& value, const std::string& where, Geometry& geometry, int part) {
  needArray(value, where);
  if (value.empty()) bad(where, "a polygon needs an outer ring");
  for (std::size_t i = 0; i < value.size(); ++i) {
    geometry.paths.push_back(positions(value[i], at(where, i), 3, "ring"));
    if (part >= 0) geometry.parts.push_back(part);
  }
}

Geometry geometry(const json& value, const std::string& where) {
  if (value.is_null()) bad(where, "a feature needs a geometry");
  needObject(value, where);
  const std::string type = requiredText(value, "type", where);
  const json* coordinates = find(value, "coordinates");
  if (!coordinates) bad(where, "missing \"coordinates\"");
  const std::string place = at(where, "coordinates");
  Geometry result;
  using T = Geometry::Type;
  if (type == "Point") {
    result.type = T::kPoint;
    result.paths.push_back({position(*coordinates, place)});
  } else if (type == "MultiPoint") {
    result.type = T::kMultiPoint;
    result.paths.push_back(positions(*coordinates, place, 0, "multi-point"));
  } else if (type == "LineString") {
    result.type = T::kLineString;
    result.paths.push_back(positions(*coordinates, place, 2, "line"));
  } else if (type == "MultiLineString") {
    result.type = T::kMultiLineString;
    needArray(*coordinates, place);
    for (std::size_t i = 0; i < coordinates->size(); ++i) {
      result.paths.push_back(positions((*coordinates)[i], at(place, i), 2, "line"));
    }
  } else if (type == "Polygon") {
    result.type = T::kPolygon;
    rings(*coordinates, place, result, -1);
  } else if (type == "MultiPolygon") {
    result.type = T::kMultiPolygon;
    needArray(*coordinates, place);
    for (std::size_t i = 0; i < coordinates->size(); ++i) {
      rings((*coordinates)[i], at(place, i), result, static_cast<int>(i));
    }
  } else {
    bad(at(where, "type"), "unknown geometry type " + quotedName(type) +
                               " (Point, LineString, Polygon, MultiPoint, MultiLineString or "
                               "MultiPolygon)");
  }
  return result;
}

Feature feature(const json& value, const std::string& where) {
  needObject(value, where);
  if (requiredText(value, "type", where) != "Feature") {
    bad(at(where, "type"), "expected \"Feature\"");
  }
  const json* shape = find(value, "geometry");
  if (!shape) bad(where, "missing \"geometry\"");
  Feature result;
  result.geometry = geometry(*shape, at(where, "geometry"));
  if (const json* properties = find(value, "properties"); properties && !properties->is_null()) {
    needObject(*properties, at(where, "properties"));
    if (const json* name = find(*properties, "name"); name && !name->is_null()) {
      result.label = text(*name, at(at(where, "properties"), "name"));
    }
  }
  return result;
}

LayerKind layerKind(const std::string& kind, const std::string& where) {
  if (kind == "feature") return LayerKind::kFeature;
  if (kind == "group") return LayerKind::kGroup;
  if (kind == "raster") return LayerKind::kRaster;
  if (kind == "other") return LayerKind::kOther;
  bad(where, "unknown layer kind " + quotedName(kind) + " (feature, group, raster or other)");
}

LayoutElement::Kind elementKind(const std::string& kind, const std::string& where) {
  using K = LayoutElement::Kind;
  if (kind == "legend") return K::kLegend;
  if (kind == "northArrow") return K::kNorthArrow;
  if (kind == "scaleBar") return K::kScaleBar;
  if (kind == "text") return K::kText;
  if (kind == "mapFrame") return K::kMapFrame;
  bad(where, "unknown element kind " + quotedName(kind) +
                 " (legend, northArrow, scaleBar, text or mapFrame)");
}

class Loader {
 public:
  explicit Loader(Document& document) : document_(document) {}

  void load(const json& root) {
    needObject(root, "");
    allowKeys(root, "", {"dataFrames", "focus", "activeView", "layout", "page"});
    const json* frames = find(root, "dataFrames");
    if (!frames) bad("", "missing \"dataFrames\"");
    needArray(*frames, "dataFrames");
    for (std::size_t i = 0; i < frames->size(); ++i) {
      dataFrame((*frames)[i], at("dataFrames", i));
    }
    if (const json* focus = find(root, "focus")) {
      int value = index(*focus, "focus");
      if (value >= document_.dataFrameCount() && !(value == 0 && frames->empty())) {
        bad("focus", std::to_string(value) + " is not a data frame of the " +
                         std::to_string(document_.dataFrameCount()));
      }
      if (!frames->empty()) document_.setFocusMap(value);
    }
    if (const json* view = find(root, "activeView")) {
      std::string value = text(*view, "activeView");
      if (value != "map" && value != "layout") bad("activeView", "expected \"map\" or \"layout\"");
      document_.setLayoutActive(value == "layout");
    }
    if (const json* page = find(root, "page")) document_.layout->page = envelope(*page, "page");
    if (const json* layout = find(root, "layout")) {
      needArray(*layout, "layout");
      for (std::size_t i = 0; i < layout->size(); ++i) element((*layout)[i], at("layout", i));
    }
  }

 private:
  void dataFrame(const json& value, const std::string& where) {
    needObject(value, where);
    allowKeys(value, where, {"name", "crs", "extent", "viewSize", "layers", "bookmarks"});
    auto frame = std::make_unique<DataFrame>(document_, requiredText(value, "name", where));
    if (const json* crs = find(value, "crs")) {
      frame->crs = text(*crs, at(where, "crs"));
      if (frame->crs.empty()) bad(at(where, "crs"), "a reference system is not empty");
    }
    if (const json* size = find(value, "viewSize")) {
      const std::string place = at(where, "viewSize");
      if (!size->is_array() || size->size() != 2) bad(place, "expected [width, height]");
      frame->viewWidth = index((*size)[0], at(place, 0));
      frame->viewHeight = index((*size)[1], at(place, 1));
      if (frame->viewWidth == 0 || frame->viewHeight == 0) bad(place, "a view is not empty");
    }
    if (const json* layers = find(value, "layers")) {
      needArray(*layers, at(where, "layers"));
      for (std::size_t i = 0; i < layers->size(); ++i) {
        frame->layers.push_back(layer((*layers)[i], at(at(where, "layers"), i), 0));
      }
    }
    if (const json* bookmarks = find(value, "bookmarks")) {
      const std::string place = at(where, "bookmarks");
      needArray(*bookmarks, place);
      for (std::size_t i = 0; i < bookmarks->size(); ++i) {
        const json& mark = (*bookmarks)[i];
        const std::string markPlace = at(place, i);
        needObject(mark, markPlace);
        allowKeys(mark, markPlace, {"name", "extent"});
        const json* extent = find(mark, "extent");
        if (!extent) bad(markPlace, "missing \"extent\"");
        frame->bookmarks.push_back(std::make_unique<SpatialBookmark>(
            requiredText(mark, "name", markPlace), envelope(*extent, at(markPlace, "extent"))));
      }
    }
    // Without an extent of its own the frame shows all of its features.
    if (const json* extent = find(value, "extent")) {
      frame->setExtentDirect(envelope(*extent, at(where, "extent")));
    } else {
      frame->setExtentDirect(featureBounds(*frame));
    }
    document_.dataFrames.push_back(std::move(frame));
  }

  std::unique_ptr<Layer> layer(const json& value, const std::string& where, int depth) {
    needObject(value, where);
    allowKeys(value, where, {"name", "kind", "visible", "color", "features", "layers", "extent"});
    std::string name = requiredText(value, "name", where);
    LayerKind kind = LayerKind::kFeature;
    if (const json* word = find(value, "kind")) {
      kind = layerKind(text(*word, at(where, "kind")), at(where, "kind"));
    }
    bool visible = true;
    if (const json* shown = find(value, "visible")) visible = flag(*shown, at(where, "visible"));
    auto result = std::make_unique<Layer>(document_, std::move(name), kind, visible);
    if (const json* paint = find(value, "color")) result->color = color(*paint, at(where, "color"));
    if (const json* features = find(value, "features")) {
      const std::string place = at(where, "features");
      if (kind != LayerKind::kFeature) bad(place, "only a feature layer has features");
      needArray(*features, place);
      for (std::size_t i = 0; i < features->size(); ++i) {
        result->features.push_back(feature((*features)[i], at(place, i)));
      }
    }
    if (const json* members = find(value, "layers")) {
      const std::string place = at(where, "layers");
      if (kind != LayerKind::kGroup) bad(place, "only a group layer holds layers");
      if (depth >= kDeepestGroup) bad(place, "group layers nested too deeply");
      needArray(*members, place);
      for (std::size_t i = 0; i < members->size(); ++i) {
        result->members.push_back(layer((*members)[i], at(place, i), depth + 1));
      }
    }
    if (const json* extent = find(value, "extent")) {
      if (kind != LayerKind::kRaster) bad(at(where, "extent"), "only a raster layer has an extent");
      result->coverage = envelope(*extent, at(where, "extent"));
    }
    return result;
  }

  void element(const json& value, const std::string& where) {
    needObject(value, where);
    allowKeys(value, where, {"kind", "dataFrame", "bounds", "text"});
    auto result = std::make_unique<LayoutElement>();
    result->kind = elementKind(requiredText(value, "kind", where), at(where, "kind"));
    const bool isText = result->kind == LayoutElement::Kind::kText;
    const json* frame = find(value, "dataFrame");
    if (isText && frame) bad(at(where, "dataFrame"), "a text element belongs to no data frame");
    if (!isText) {
      if (!frame) bad(where, "missing \"dataFrame\"");
      int number = index(*frame, at(where, "dataFrame"));
      if (number >= document_.dataFrameCount()) {
        bad(at(where, "dataFrame"), std::to_string(number) + " is not a data frame of the " +
                                        std::to_string(document_.dataFrameCount()));
      }
      result->dataFrame = document_.dataFrames[static_cast<std::size_t>(number)].get();
    }
    if (const json* words = find(value, "text")) {
      if (!isText) bad(at(where, "text"), "only a text element has a text");
      result->text = text(*words, at(where, "text"));
    } else if (isText) {
      bad(where, "missing \"text\"");
    }
    if (const json* bounds = find(value, "bounds")) {
      result->pageBounds = envelope(*bounds, at(where, "bounds"));
    }
    document_.layout->elements.push_back(std::move(result));
  }

  static void widen(host::Envelope& box, bool& any, double x, double y) {
    if (!any) {
      box = {x, y, x, y};
      any = true;
      return;
    }
    box = {std::min(box.XMin, x), std::min(box.YMin, y), std::max(box.XMax, x),
           std::max(box.YMax, y)};
  }

  static void widen(host::Envelope& box, bool& any, const Layer& layer) {
    for (const auto& item : layer.features) {
      for (const auto& path : item.geometry.paths) {
        for (const auto& [x, y] : path) widen(box, any, x, y);
      }
    }
    for (const auto& member : layer.members) widen(box, any, *member);
  }

  static host::Envelope featureBounds(const DataFrame& frame) {
    host::Envelope box;
    bool any = false;
    for (const auto& item : frame.layers) widen(box, any, *item);
    return box;
  }

  Document& document_;
};

}  // namespace

std::unique_ptr<Document> loadDocument(std::string_view text) {
  json root;
  try {
    root = json::parse(text.begin(), text.end());
  } catch (const json::exception& e) {
    bad("", std::string("not JSON: ") + e.what());
  }
  auto document = std::make_unique<Document>();
  try {
    Loader(*document).load(root);
  } catch (const json::exception& e) {
    bad("", e.what());  // a check above missed a shape; still a clean failure
  }
  return document;
}

}  // namespace cw::standin

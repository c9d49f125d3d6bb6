// Writing a map document back in the shape loadDocument reads: the document as it stands now.

#include <nlohmann/json.hpp>

#include "hosts/standin/document_files.h"
#include "hosts/standin/text_forms.h"

namespace cw::standin {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::size_t kLineWidth = 100;

Json envelope(const host::Envelope& e) {
  return Json::array({e.XMin, e.YMin, e.XMax, e.YMax});
}

Json path(const std::vector<std::pair<double, double>>& points) {
  Json result = Json::array();
  for (const auto& [x, y] : points) result.push_back(Json::array({x, y}));
  return result;
}

Json geometry(const Geometry& shape) {
  using T = Geometry::Type;
  Json result = Json::object();
  Json coordinates = Json::array();
  const auto& paths = shape.paths;
  switch (shape.type) {
    case T::kPoint:
      result["type"] = "Point";
      coordinates = paths.empty() || paths[0].empty()
                        ? Json::array({0.0, 0.0})
                        : Json::array({paths[0][0].first, paths[0][0].second});
      break;
    case T::kMultiPoint:
      result["type"] = "MultiPoint";
      if (!paths.empty()) coordinates = path(paths[0]);
      break;
    case T::kLineString:
      result["type"] = "LineString";
      if (!paths.empty()) coordinates = path(paths[0]);
      break;
    case T::kMultiLineString:
      result["type"] = "MultiLineString";
      for (const auto& line : paths) coordinates.push_back(path(line));
      break;
    case T::kPolygon:
      result["type"] = "Polygon";
      for (const auto& ring : paths) coordinates.push_back(path(ring));
      break;
    case T::kMultiPolygon:
      result["type"] = "MultiPolygon";
      // Rings of one polygon stand together; a ring without a part index starts a new one.
      for (std::size_t i = 0; i < paths.size(); ++i) {
        bool sameAsBefore = i > 0 && i < shape.parts.size() && shape.parts[i] == shape.parts[i - 1];
        if (!sameAsBefore) coordinates.push_back(Json::array());
        coordinates.back().push_back(path(paths[i]));
      }
      break;
  }
  result["coordinates"] = std::move(coordinates);
  return result;
}

const char* kindWord(LayerKind kind) {
  switch (kind) {
    case LayerKind::kFeature:
      return "feature";
    case LayerKind::kGroup:
      return "group";
    case LayerKind::kRaster:
      return "raster";
    case LayerKind::kOther:
      return "other";
  }
  return "other";
}

const char* kindWord(LayoutElement::Kind kind) {
  using K = LayoutElement::Kind;
  switch (kind) {
    case K::kLegend:
      return "legend";
    case K::kNorthArrow:
      return "northArrow";
    case K::kScaleBar:
      return "scaleBar";
    case K::kText:
      return "text";
    case K::kMapFrame:
      return "mapFrame";
  }
  return "text";
}

Json layer(const Layer& item) {
  Json result = Json::object();
  result["name"] = item.name();
  result["kind"] = kindWord(item.kind());
  result["visible"] = item.visible();
  if (!item.color.empty()) result["color"] = item.color;
  if (item.coverage) result["extent"] = envelope(*item.coverage);
  if (item.isFeatureLayer()) {
    Json features = Json::array();
    for (const auto& feature : item.features) {
      Json properties = Json::object();
      if (!feature.label.empty()) properties["name"] = feature.label;
      features.push_back({{"type", "Feature"},
                          {"properties", std::move(properties)},
                          {"geometry", geometry(feature.geometry)}});
    }
    result["features"] = std::move(features);
  }
  if (item.isGroupLayer()) {
    Json members = Json::array();
    for (const auto& member : item.members) members.push_back(layer(*member));
    result["layers"] = std::move(members);
  }
  return result;
}

Json document(const Document& doc) {
  Json frames = Json::array();
  for (const auto& frame : doc.dataFrames) {
    Json item = Json::object();
    item["name"] = frame->name();
    if (!frame->crs.empty()) item["crs"] = frame->crs;
    item["extent"] = envelope(frame->extent());
    if (frame->viewWidth > 0 && frame->viewHeight > 0) {
      item["viewSize"] = Json::array({frame->viewWidth, frame->viewHeight});
    }
    Json layers = Json::array();
    for (const auto& each : frame->layers) layers.push_back(layer(*each));
    item["layers"] = std::move(layers);
    Json bookmarks = Json::array();
    for (const auto& mark : frame->bookmarks) {
      bookmarks.push_back({{"name", mark->name()}, {"extent", envelope(mark->extent())}});
    }
    item["bookmarks"] = std::move(bookmarks);
    frames.push_back(std::move(item));
  }
  Json layout = Json::array();
  for (const auto& element : doc.layout->elements) {
    Json item = Json::object();
    item["kind"] = kindWord(element->kind);
    if (element->dataFrame) {
      for (std::size_t i = 0; i < doc.dataFrames.size(); ++i) {
        if (doc.dataFrames[i].get() == element->dataFrame) item["dataFrame"] = i;
      }
    }
    if (element->kind == LayoutElement::Kind::kText) item["text"] = element->text;
    item["bounds"] = envelope(element->pageBounds);
    layout.push_back(std::move(item));
  }
  Json root = Json::object();
  root["dataFrames"] = std::move(frames);
  root["focus"] = doc.focusIndex();
  root["activeView"] = doc.layoutActive() ? "layout" : "map";
  root["page"] = envelope(doc.layout->page);
  root["layout"] = std::move(layout);
  return root;
}

bool holdsObject(const Json& value) {
  if (value.is_object()) return true;
  if (!value.is_array()) return false;
  for (const auto& item : value) {
    if (holdsObject(item)) return true;
  }
  return false;
}

// Structure one entry a line; a feature, a coordinate list or a short object on one line.
void write(const Json& value, std::size_t indent, std::string& out) {
  std::string compact = value.dump();
  bool isFeature = value.is_object() && value.contains("type") && value["type"] == "Feature";
  if (!value.is_structured() || value.empty() || isFeature || !holdsObject(value) ||
      indent + compact.size() <= kLineWidth) {
    out += compact;
    return;
  }
  const std::string inner(indent + 2, ' ');
  out += value.is_object() ? "{\n" : "[\n";
  bool first = true;
  for (auto it = value.begin(); it != value.end(); ++it) {
    if (!first) out += ",\n";
    first = false;
    out += inner;
    if (value.is_object()) out += Json(it.key()).dump() + ": ";
    write(*it, indent + 2, out);
  }
  out += "\n" + std::string(indent, ' ') + (value.is_object() ? "}" : "]");
}

}  // namespace

std::string saveDocument(const Document& doc) {
  std::string out;
  write(document(doc), 0, out);
  out += "\n";
  return out;
}

}  // namespace cw::standin

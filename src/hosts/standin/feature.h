#pragma once

// Drawing data of a feature layer, kept for front ends that draw the map (GeoJSON-like).

#include <string>
#include <utility>
#include <vector>

namespace cw::standin {

struct Geometry {
  enum class Type { kPoint, kLineString, kPolygon, kMultiPoint, kMultiLineString, kMultiPolygon };
  Type type = Type::kPoint;
  // Points: one path of one point (or several for MultiPoint); lines: paths; polygons: rings
  // (first the outer ring, then holes), and for multi-polygons a part index per ring.
  std::vector<std::vector<std::pair<double, double>>> paths;
  std::vector<int> parts;
};

struct Feature {
  Geometry geometry;
  std::string label;
};

}  // namespace cw::standin

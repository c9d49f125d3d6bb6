#include "convert/geojson_io.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "convert/reference_systems.h"
#include "input_error_of.h"

namespace cw::convert {
namespace {

using testing::inputErrorOf;

using nlohmann::json;

Bookmarks sample() {
  return {
      {"Parks",
       "Riverside",
       "by the water",
       {498000.125, 5200000.5, 502500.75, 5204000},
       "EPSG:26910",
       {{"Main Map", "Roads", true}, {"Main Map", "Parcels", false}},
       0},
      {"", "say \"hi\" / \\ \xC3\xA9", "", {0.1, -1e-300, 1e15 + 0.5, 2}, "EPSG:3857", {}, 0},
      {"Pacific", "Dateline", "", {170.25, -20, -170.5, 10}, kWgs84, {}, 0},
  };
}

std::vector<host::Envelope> boxesOf(const Bookmarks& bookmarks) {
  ReferenceSystems systems;
  std::vector<host::Envelope> boxes;
  for (const Bookmark& b : bookmarks) {
    boxes.push_back(withLongitudesWithin180(systems.transform(b.extent, b.crs, kWgs84, "t", "")));
  }
  return boxes;
}

TEST(convert_GeoJsonTest, RoundTripsEveryBookmarkExactly) {
  const Bookmarks bookmarks = sample();
  const Bookmarks read = readGeoJson(writeGeoJson(bookmarks, boxesOf(bookmarks)), "b.geojson");
  ASSERT_EQ(read.size(), bookmarks.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].group, bookmarks[i].group);
    EXPECT_EQ(read[i].name, bookmarks[i].name);
    EXPECT_EQ(read[i].description, bookmarks[i].description);
    EXPECT_EQ(read[i].extent, bookmarks[i].extent) << i;
    EXPECT_EQ(read[i].crs, bookmarks[i].crs);
    ASSERT_EQ(read[i].layers.size(), bookmarks[i].layers.size());
    for (std::size_t l = 0; l < read[i].layers.size(); ++l) {
      EXPECT_EQ(read[i].layers[l].frame, bookmarks[i].layers[l].frame);
      EXPECT_EQ(read[i].layers[l].layer, bookmarks[i].layers[l].layer);
      EXPECT_EQ(read[i].layers[l].visible, bookmarks[i].layers[l].visible);
    }
  }
}

// Twice the signed area of a ring: positive when it runs counter-clockwise.
double signedArea(const json& ring) {
  double area = 0;
  for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
    area += ring[i][0].get<double>() * ring[i + 1][1].get<double>() -
            ring[i + 1][0].get<double>() * ring[i][1].get<double>();
  }
  return area;
}

TEST(convert_GeoJsonTest, WritesPolygonsAsRfc7946HasThem) {
  const Bookmarks bookmarks = sample();
  const std::vector<host::Envelope> boxes = boxesOf(bookmarks);
  const json document = json::parse(writeGeoJson(bookmarks, boxes));
  ASSERT_EQ(document["type"], "FeatureCollection");
  EXPECT_FALSE(document.contains("crs"));
  ASSERT_EQ(document["features"].size(), bookmarks.size());
  for (std::size_t i = 0; i < bookmarks.size(); ++i) {
    const json& feature = document["features"][i];
    const host::Envelope& box = boxes[i];
    EXPECT_EQ(feature["bbox"], json::array({box.XMin, box.YMin, box.XMax, box.YMax}));
    const json& geometry = feature["geometry"];
    const bool across = box.XMin > box.XMax;
    EXPECT_EQ(geometry["type"], across ? "MultiPolygon" : "Polygon") << i;
    const json polygons = across ? geometry["coordinates"] : json::array({geometry["coordinates"]});
    for (const json& polygon : polygons) {
      const json& ring = polygon[0];
      EXPECT_EQ(ring.front(), ring.back());
      EXPECT_GT(signedArea(ring), 0) << "feature " << i << " runs clockwise";
      for (const json& position : ring) {
        EXPECT_TRUE(position[0] >= -180 && position[0] <= 180) << position;
        EXPECT_TRUE(position[1] >= box.YMin && position[1] <= box.YMax) << position;
      }
    }
    EXPECT_EQ(feature["properties"]["name"], bookmarks[i].name);
    EXPECT_EQ(feature["properties"]["group"], bookmarks[i].group);
  }
  // The dateline box: one part up to 180 degrees, one from -180.
  const json& parts = document["features"][2]["geometry"]["coordinates"];
  EXPECT_EQ(parts[0][0][1], json::array({180, -20}));
  EXPECT_EQ(parts[1][0][0], json::array({-180, -20}));
}

TEST(convert_GeoJsonTest, ReadsFeaturesOfOtherProgramsInWgs84) {
  struct Case {
    const char* what;
    const char* feature;
    host::Envelope extent;
  } cases[] = {
      {"a bbox", R"({"type":"Feature","bbox":[1,2,3,4],"properties":{"name":"n"}})", {1, 2, 3, 4}},
      {"a polygon without a bbox",
       R"({"type":"Feature","geometry":{"type":"Polygon","coordinates":[[[1,2],[5,2],[5,6],[1,2]]]},
           "properties":{"name":"n","group":"g"}})",
       {1, 2, 5, 6}},
      {"a bbox across the antimeridian",
       R"({"type":"Feature","bbox":[170,-10,-170,10],"properties":{"name":"n"}})",
       {170, -10, -170, 10}},
      {"a multipolygon",
       R"({"type":"Feature","geometry":{"type":"MultiPolygon","coordinates":[[[[1,2],[2,3],[1,2]]],
           [[[7,-1],[8,0],[7,-1]]]]},"properties":{"name":"n"}})",
       {1, -1, 8, 3}},
  };
  for (const Case& c : cases) {
    const Bookmarks read = readGeoJson(
        std::string(R"({"type":"FeatureCollection","features":[)") + c.feature + "]}", "b.geojson");
    ASSERT_EQ(read.size(), 1u) << c.what;
    EXPECT_EQ(read[0].extent, c.extent) << c.what;
    EXPECT_EQ(read[0].crs, kWgs84) << c.what;
    EXPECT_EQ(read[0].name, "n") << c.what;
  }
}

TEST(convert_GeoJsonTest, TakesTheFeaturesWhereverTheCollectionsMembersStand) {
  // Read as the parser reaches them: the type may come last, and other arrays hold no features.
  const Bookmarks read = readGeoJson(
      R"({"bbox":[0,0,9,9],"features":[{"bbox":[1,2,3,4],"properties":{"name":"a"}},
          {"bbox":[5,6,7,8],"properties":{"name":"b","group":"g"}}],
          "other":[{"bbox":[1,1,2,2],"properties":{"name":"not a feature"}}],
          "type":"FeatureCollection"})",
      "b.geojson");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].name, "a");
  EXPECT_EQ(read[1].name, "b");
  EXPECT_EQ(read[1].extent, (host::Envelope{5, 6, 7, 8}));
}

TEST(convert_GeoJsonTest, RefusesWithTheFileAndTheFeature) {
  const std::string head = R"({"type":"FeatureCollection","features":[)";
  struct Case {
    std::string text;
    const char* message;
  } cases[] = {
      {"{\"type\":\n\"FeatureCollection\",", "b.geojson: line 2: not JSON: "},
      {R"({"type":"Feature"})", "b.geojson: not a GeoJSON FeatureCollection"},
      {"[]", "b.geojson: not a GeoJSON FeatureCollection"},
      {head + R"({"bbox":[1,2,3,4],"properties":{}}]})",
       "b.geojson: feature 1: no \"name\" property"},
      {head + R"({"bbox":[1,2,3,4],"properties":{"name":7}}]})",
       "b.geojson: feature 1: \"name\" is not a string"},
      {head + R"({"bbox":[1,2,3],"properties":{"name":"n"}}]})",
       "b.geojson: feature 1: \"bbox\" is not an array of four numbers"},
      {head + R"({"bbox":[1,2,"3",4],"properties":{"name":"n"}}]})",
       "b.geojson: feature 1: \"bbox\" is not a number"},
      {head + R"({"bbox":[1,5,3,4],"properties":{"name":"n"}}]})",
       "b.geojson: feature 1: south is greater than north"},
      {head + R"({"bbox":[949,1,190,2],"properties":{"name":"n"}}]})",
       "b.geojson: feature 1: a longitude lies outside -540 to 540"},
      {head + R"({"bbox":[1,-91,3,4],"properties":{"name":"n"}}]})",
       "b.geojson: feature 1: a latitude lies outside -90 to 90"},
      {head + R"({"bbox":[1,2,3,4e999],"properties":{"name":"n"}}]})",
       "b.geojson: not JSON this converter reads: number overflow parsing '4e999'"},
      {head + R"({"properties":{"name":"n"}}]})",
       "b.geojson: feature 1: the feature has neither a bbox nor a geometry"},
      {head + R"({"geometry":{"type":"Point","coordinates":[1,2]},"properties":{"name":"n"}}]})",
       "b.geojson: feature 1: the geometry is a Point, not a Polygon or MultiPolygon with a bbox"},
      {head + R"({"properties":{"name":"n","crs":"EPSG:3857","extent":[5,1,2,3]}}]})",
       "b.geojson: feature 1: xmin 5 is greater than xmax 2"},
      {head + R"({"bbox":[1,2,3,4],"properties":{"name":"n","layers":[{"frame":"f"}]}}]})",
       "b.geojson: feature 1: a layer is not {\"frame\", \"layer\", \"visible\": true or false}"},
      {head + R"({"bbox":[1,2,3,4],"properties":{"name":"n"}},7]})",
       "b.geojson: feature 2: not an object"},
      // The file's own faults come first, wherever they stand.
      {R"({"features":[7],"type":"Topology"})", "b.geojson: not a GeoJSON FeatureCollection"},
      {head + "7,\n{]}", "b.geojson: line 2: not JSON: "},
  };
  for (const Case& c : cases) {
    const std::string what = inputErrorOf([&] { readGeoJson(c.text, "b.geojson"); });
    EXPECT_TRUE(what.starts_with(c.message)) << what;
    EXPECT_EQ(what.find('\n'), std::string::npos) << what;
  }
}

}  // namespace
}  // namespace cw::convert

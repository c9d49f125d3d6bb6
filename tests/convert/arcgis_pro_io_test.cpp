#include "convert/arcgis_pro_io.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "convert/reference_systems.h"
#include "input_error_of.h"

namespace cw::convert {
namespace {

using testing::inputErrorOf;

using nlohmann::json;

std::string written(const Bookmarks& bookmarks, WriteNotes& notes) {
  ReferenceSystems systems;
  return writeArcGisPro(bookmarks, systems, "b.bkmx", notes);
}

Bookmarks read(const std::string& text) {
  ReferenceSystems systems;
  return readArcGisPro(text, "b.bkmx", systems);
}

const char* const kOrtho =
    "+proj=ortho +lat_0=40 +lon_0=-100 +datum=WGS84 +units=m +no_defs +type=crs";

TEST(convert_ArcGisProTest, RoundTripsNamesGroupsDescriptionsExtentsAndSystems) {
  const Bookmarks bookmarks = {
      {"Parks",
       "Riverside",
       "by the \"water\"",
       {498000.125, 5200000.5, 502500.75, 5204000},
       "EPSG:26910",
       {},
       0},
      {"", "Mercator", "", {-1e7, -5e6, 1e7, 5e6}, "EPSG:3857", {}, 0},
      {"World", "\xC3\xA9t\xC3\xA9", "", {-122.5, 37.25, -122, 37.75}, "EPSG:4326", {}, 0},
      {"Odd", "Orthographic", "", {-1000, -2000, 3000, 4000}, kOrtho, {}, 0},
  };
  WriteNotes notes;
  const Bookmarks back = read(written(bookmarks, notes));
  EXPECT_EQ(notes.renamedNames, 0);
  ASSERT_EQ(back.size(), bookmarks.size());
  ReferenceSystems systems;
  for (std::size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].group, bookmarks[i].group);
    EXPECT_EQ(back[i].name, bookmarks[i].name);
    EXPECT_EQ(back[i].description, bookmarks[i].description);
    EXPECT_EQ(back[i].extent, bookmarks[i].extent) << i;
    EXPECT_TRUE(systems.same(back[i].crs, bookmarks[i].crs)) << back[i].crs;
  }
  EXPECT_EQ(back[0].crs, "EPSG:26910");
  EXPECT_EQ(back[1].crs, "EPSG:3857");
}

TEST(convert_ArcGisProTest, WritesADocumentProReads) {
  WriteNotes notes;
  // Parsed in the order written: Pro reads the "type" discriminator first.
  const nlohmann::ordered_json document = nlohmann::ordered_json::parse(
      written({{"Parks", "Riverside", "", {498000, 5200000, 502000, 5202500}, "EPSG:26910", {}, 0},
               {"Web", "Tile", "", {0, 0, 1000, 1000}, "EPSG:3857", {}, 0}},
              notes));
  EXPECT_EQ(document.begin().key(), "type");
  EXPECT_EQ(document["type"], "CIMBookmarkDocument");
  EXPECT_EQ(document["spatialReference"],
            nlohmann::ordered_json::parse(R"({"wkid":26910,"latestWkid":26910})"));
  const nlohmann::ordered_json& first = document["bookmarks"][0];
  EXPECT_EQ(first.begin().key(), "type");
  EXPECT_EQ(first["type"], "CIMBookmark");
  EXPECT_EQ(first["groupName"], "Parks");
  EXPECT_FALSE(first.contains("description"));
  const nlohmann::ordered_json& camera = first["camera"];
  EXPECT_EQ(camera["type"], "CIMViewCamera");
  EXPECT_EQ(camera["pitch"], -90);
  EXPECT_EQ(camera["x"], 500000);
  EXPECT_EQ(camera["y"], 5201250);
  EXPECT_EQ(camera["z"], "NaN");
  // The camera's view holds the extent: 4 km over 960 pixels of 0.254 mm each.
  EXPECT_DOUBLE_EQ(camera["scale"].get<double>(), 4000 / (960 * 0.0254 / 96));
  EXPECT_EQ(camera["viewportWidth"], 960);
  EXPECT_EQ(camera["viewportHeight"], 600);
  // Web Mercator by Esri's id, with the EPSG code as its latest.
  EXPECT_EQ(document["bookmarks"][1]["location"]["spatialReference"],
            nlohmann::ordered_json::parse(R"({"wkid":102100,"latestWkid":3857})"));
}

TEST(convert_ArcGisProTest, NamesAreMadeUniqueAndCounted) {
  WriteNotes notes;
  const Bookmarks back = read(written({{"A", "Same", "", {1, 2, 3, 4}, "EPSG:4326", {}, 0},
                                       {"B", "Same", "", {1, 2, 3, 4}, "EPSG:4326", {}, 0},
                                       {"B", "Same (2)", "", {1, 2, 3, 4}, "EPSG:4326", {}, 0},
                                       {"C", "Same", "", {1, 2, 3, 4}, "EPSG:4326", {}, 0}},
                                      notes));
  EXPECT_EQ(notes.renamedNames, 3);
  ASSERT_EQ(back.size(), 4u);
  EXPECT_EQ(back[1].name, "Same (2)");
  EXPECT_EQ(back[2].name, "Same (2) (2)");
  EXPECT_EQ(back[3].name, "Same (3)");
}

TEST(convert_ArcGisProTest, ReadsWhatProLeavesOut) {
  const std::string head = R"({"type":"CIMBookmarkDocument","version":"3.1.0",)";
  struct Case {
    const char* what;
    std::string text;
    host::Envelope extent;
    const char* crs;
  } cases[] = {
      {"the document's spatial reference",
       head + R"("spatialReference":{"wkid":27700},"bookmarks":[{"type":"CIMBookmark",
         "name":"n","location":{"xmin":1,"ymin":2,"xmax":3,"ymax":4}}]})",
       {1, 2, 3, 4},
       "EPSG:27700"},
      {"Esri's id alone",
       head + R"("bookmarks":[{"name":"n","location":{"xmin":1,"ymin":2,"xmax":3,"ymax":4,
         "spatialReference":{"wkid":102100}}}]})",
       {1, 2, 3, 4},
       "ESRI:102100"},
      {"an older id with its latest",
       head + R"("bookmarks":[{"name":"n","location":{"xmin":1,"ymin":2,"xmax":3,"ymax":4,
         "spatialReference":{"wkid":102113,"latestWkid":3785}}}]})",
       {1, 2, 3, 4},
       "EPSG:3785"},
      {"only a camera",
       head + R"("spatialReference":{"wkid":3857},"bookmarks":[{"name":"n","camera":{
         "type":"CIMViewCamera","pitch":-90,"scale":9600,"x":1000,"y":2000,"z":"NaN",
         "viewportWidth":1000,"viewportHeight":500}}]})",
       {1000 - 500 * 9600 * 0.0254 / 96, 2000 - 250 * 9600 * 0.0254 / 96,
        1000 + 500 * 9600 * 0.0254 / 96, 2000 + 250 * 9600 * 0.0254 / 96},
       "EPSG:3857"},
  };
  for (const Case& c : cases) {
    const Bookmarks bookmarks = read(c.text);
    ASSERT_EQ(bookmarks.size(), 1u) << c.what;
    EXPECT_EQ(bookmarks[0].name, "n");
    EXPECT_NEAR(bookmarks[0].extent.XMin, c.extent.XMin, 1e-9) << c.what;
    EXPECT_NEAR(bookmarks[0].extent.YMin, c.extent.YMin, 1e-9) << c.what;
    EXPECT_NEAR(bookmarks[0].extent.XMax, c.extent.XMax, 1e-9) << c.what;
    EXPECT_NEAR(bookmarks[0].extent.YMax, c.extent.YMax, 1e-9) << c.what;
    EXPECT_EQ(bookmarks[0].crs, c.crs) << c.what;
  }
}

TEST(convert_ArcGisProTest, RefusesWithTheFileAndTheBookmark) {
  const std::string head =
      R"({"type":"CIMBookmarkDocument","spatialReference":{"wkid":4326},"bookmarks":[)";
  struct Case {
    std::string text;
    const char* message;
  } cases[] = {
      {"{\"type\":\n\"CIMBookmarkDocument\",", "b.bkmx: line 2: not JSON: "},
      {R"({"type":"FeatureCollection"})",
       "b.bkmx: not ArcGIS Pro bookmarks: no \"type\": \"CIMBookmarkDocument\""},
      {R"({"type":"CIMBookmarkDocument","bookmarks":{}})", "b.bkmx: \"bookmarks\" is not an array"},
      {head + "7]}", "b.bkmx: bookmark 1: not an object"},
      {head + R"({"name":1,"location":{"xmin":1,"ymin":2,"xmax":3,"ymax":4}}]})",
       "b.bkmx: bookmark 1: \"name\" is not a string"},
      {R"({"type":"CIMBookmarkDocument","bookmarks":[{"name":"n","location":{"xmin":1,
         "ymin":2,"xmax":3,"ymax":4}}]})",
       "b.bkmx: bookmark 1: no \"spatialReference\""},
      {head + R"({"name":"n","location":{"xmin":1,"ymin":2,"xmax":3,"ymax":4,
         "spatialReference":{"wkid":999999}}}]})",
       "b.bkmx: bookmark 1: the spatialReference names no system known here"},
      {head + R"({"name":"n","location":{"xmin":1,"ymin":"NaN","xmax":3,"ymax":4}}]})",
       "b.bkmx: bookmark 1: a coordinate is not a finite number"},
      {head + R"({"name":"n","location":{"xmin":1,"ymin":2,"xmax":0,"ymax":4}}]})",
       "b.bkmx: bookmark 1: xmin 1 is greater than xmax 0"},
      {head + R"({"name":"n"}]})", "b.bkmx: bookmark 1: neither a \"location\" nor a \"camera\""},
      {head +
           R"({"name":"n","camera":{"x":1,"y":2,"scale":1e300,"viewportWidth":1e300,"viewportHeight":1}}]})",
       "b.bkmx: bookmark 1: a coordinate is not a finite number"},
      {head + R"({"name":"n","camera":{"x":1,"y":2}}]})",
       "b.bkmx: bookmark 1: the camera has no x, y and scale"},
  };
  for (const Case& c : cases) {
    const std::string what = inputErrorOf([&] { read(c.text); });
    EXPECT_TRUE(what.starts_with(c.message)) << what;
    EXPECT_EQ(what.find('\n'), std::string::npos) << what;
  }
}

}  // namespace
}  // namespace cw::convert

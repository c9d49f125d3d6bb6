// Whole conversions through the program: round trips, and the reference-system rules of the
// sides that name none.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "run_converter.h"
#include "support/list_lines.h"

namespace cw::convert {
namespace {

using cw::testing::bookmark;
using cw::testing::group;
using cw::testing::header;
using testing::ConverterDir;

// A list as the converter writes one, in NAD83 / UTM zone 10N, with numbers that a careless
// text form would change.
const std::string kUtmList =
    header() + group("Parks") +
    bookmark("Parks", "Riverside", "498000.125,5200000.5,502500.75,5204000") +
    bookmark("Parks", "A & <B>", "0.1,0.000125,0.3,0.2") + group("Roads") +
    bookmark("Roads", "A1", "-1234.5,5000000,1234.5,5100000");

TEST(convert_RoundTripProgramTest, ListsComeBackByteForByte) {
  struct Case {
    const char* through;
  } cases[] = {{"out.geojson"}, {"out.xml"}, {"out.csv"}, {"out.bkmx"}, {"out.kml"}};
  for (const Case& c : cases) {
    ConverterDir dir;
    dir.write("in.bmk", kUtmList);
    auto there = dir.run(std::string("in.bmk ") + c.through + " --crs 26910");
    ASSERT_EQ(there.status, 0) << c.through << ": " << there.err;
    const char* back = std::string(c.through) == "out.csv" ? " back.bmk --crs 26910" : " back.bmk";
    auto result = dir.run(std::string(c.through) + back);
    ASSERT_EQ(result.status, 0) << c.through << ": " << result.err;
    EXPECT_EQ(dir.read("back.bmk"), kUtmList) << c.through;
  }
}

TEST(convert_RoundTripProgramTest, QgisAndGeoJsonFilesComeBackByteForByte) {
  ConverterDir dir;
  dir.write("in.bmk", kUtmList);
  ASSERT_EQ(dir.run("in.bmk a.xml --crs EPSG:26910").status, 0);
  ASSERT_EQ(dir.run("a.xml b.geojson").status, 0);
  ASSERT_EQ(dir.run("b.geojson c.xml").status, 0);
  ASSERT_EQ(dir.run("c.xml d.geojson").status, 0);
  EXPECT_EQ(dir.read("c.xml"), dir.read("a.xml"));
  EXPECT_EQ(dir.read("d.geojson"), dir.read("b.geojson"));
  EXPECT_NE(dir.read("a.xml").find("<sr_id>2287</sr_id>"), std::string::npos);
}

TEST(convert_RoundTripProgramTest, ASideWithoutASystemNeedsCrsWhenTheOtherHasOne) {
  ConverterDir dir;
  dir.write("in.bmk", kUtmList);
  dir.write("in.csv", "group,name,xmin,ymin,xmax,ymax\r\nP,n,1,2,3,4\r\n");
  ASSERT_EQ(dir.run("in.bmk utm.xml --crs 26910").status, 0);
  ASSERT_EQ(dir.run("in.bmk mercator.xml --crs EPSG:3857").status, 0);
  dir.write("mixed.xml",
            dir.read("utm.xml").substr(0, dir.read("utm.xml").rfind("</qgis")) +
                dir.read("mercator.xml").substr(dir.read("mercator.xml").find("  <b")));
  const std::string noSystem =
      "a list or CSV names no reference system: give --crs (the system its extents are in)";
  struct Case {
    const char* arguments;
    std::string message;
  } cases[] = {
      {"in.bmk out.geojson", "in.bmk: " + noSystem},
      {"in.bmk out.xml", "in.bmk: " + noSystem},
      {"in.csv out.kml", "in.csv: " + noSystem},
      {"mixed.xml out.bmk",
       "mixed.xml: the bookmarks are in several reference systems (EPSG:26910, EPSG:3857): give "
       "--crs for out.bmk"},
      {"utm.xml out.geojson --crs 4326",
       "--crs: applies to a .bmk or .csv side, and neither file is one"},
      {"in.bmk out.geojson --crs EPSG:0", "--crs: unknown reference system \"EPSG:0\""},
      {"in.bmk out.geojson --crs 4326",
       "in.bmk: bookmark \"Parks/Riverside\": the box "
       "498000.125,5200000.5,502500.75,5204000 lies outside the range of EPSG:4326 (latitudes "
       "-90 to 90)"},
  };
  const std::size_t files = dir.fileCount();
  for (const Case& c : cases) {
    auto result = dir.run(c.arguments);
    EXPECT_EQ(result.status, 1) << c.arguments;
    EXPECT_EQ(result.err, "corbelwick-convert: " + c.message + "\n") << c.arguments;
    EXPECT_EQ(dir.fileCount(), files) << c.arguments;
  }

  // Named, the system is transformed into; the other side's own system needs no --crs.
  auto result = dir.run("utm.xml out.bmk --crs EPSG:4326");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(dir.read("out.bmk").find("\"Riverside\",-123.0"), std::string::npos)
      << dir.read("out.bmk");
  result = dir.run("utm.xml kept.bmk");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "wrote 3 bookmarks in 2 groups to kept.bmk\n"
            "extents kept in EPSG:26910 (give --crs for another system)\n");
  EXPECT_EQ(dir.read("kept.bmk"), kUtmList);
}

TEST(convert_RoundTripProgramTest, WhatTheTargetCannotHoldIsCounted) {
  ConverterDir dir;
  dir.write("described.bkmx", R"({"type":"CIMBookmarkDocument","spatialReference":{"wkid":4326},
    "bookmarks":[{"name":"a","description":"one","location":{"xmin":1,"ymin":2,"xmax":3,"ymax":4}},
                 {"name":"b","description":"two","location":{"xmin":1,"ymin":2,"xmax":3,"ymax":4}},
                 {"name":"c","location":{"xmin":1,"ymin":2,"xmax":3,"ymax":4}}]})");
  dir.write("layers.geojson", R"({"type":"FeatureCollection","features":[{"type":"Feature",
    "bbox":[1,2,3,4],"properties":{"name":"a","layers":[{"frame":"F","layer":"L","visible":true}]}}]})");
  dir.write("turned.xml",
            "<qgis_bookmarks><bookmark><name>a</name><project>p</project><xmin>1</xmin>"
            "<ymin>2</ymin><xmax>3</xmax><ymax>4</ymax><sr_id>3452</sr_id>"
            "<rotation>30</rotation></bookmark></qgis_bookmarks>");
  struct Case {
    const char* arguments;
    const char* out;
  } cases[] = {
      {"described.bkmx out.xml",
       "wrote 3 bookmarks in 1 group to out.xml\n"
       "dropped: the descriptions of 2 bookmarks (.xml holds none)\n"},
      {"described.bkmx out.geojson", "wrote 3 bookmarks in 1 group to out.geojson\n"},
      {"layers.geojson out.csv",
       "wrote 1 bookmark in 1 group to out.csv\n"
       "extents kept in EPSG:4326 (give --crs for another system)\n"
       "dropped: the layer visibilities of 1 bookmark (.csv holds none)\n"},
      {"layers.geojson out.bmk",
       "wrote 1 bookmark in 1 group to out.bmk\n"
       "extents kept in EPSG:4326 (give --crs for another system)\n"
       "dropped: the layer visibilities of 1 bookmark (give --program-dir to keep them)\n"},
      {"turned.xml out.bkmx",
       "wrote 1 bookmark in 1 group to out.bkmx\n"
       "dropped: the rotation of 1 bookmark (.bkmx holds none)\n"},
  };
  for (const Case& c : cases) {
    auto result = dir.run(c.arguments);
    EXPECT_EQ(result.status, 0) << c.arguments << ": " << result.err;
    EXPECT_EQ(result.out, c.out) << c.arguments;
  }
}

TEST(convert_RoundTripProgramTest, AListBoxPastTheAntimeridianIsSplitInGeoJson) {
  ConverterDir dir;
  dir.write("in.bmk", header() + bookmark("Pacific", "Fiji", "175,-20,185,-15"));
  auto result = dir.run("in.bmk out.geojson --crs 4326");
  ASSERT_EQ(result.status, 0) << result.err;
  const nlohmann::json feature = nlohmann::json::parse(dir.read("out.geojson"))["features"][0];
  EXPECT_EQ(feature["bbox"], nlohmann::json::parse("[175,-20,-175,-15]"));
  EXPECT_EQ(feature["geometry"]["type"], "MultiPolygon");

  // Back in a list, the box runs on past 180 degrees again.
  result = dir.run("out.geojson back.bmk");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(dir.read("back.bmk").find("\"Fiji\",175,-20,185,-15"), std::string::npos)
      << dir.read("back.bmk");
}

}  // namespace
}  // namespace cw::convert

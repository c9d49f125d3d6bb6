#include "convert/kml_io.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>

#include "convert/reference_systems.h"
#include "input_error_of.h"

namespace cw::convert {
namespace {

using testing::inputErrorOf;

Bookmarks sample() {
  return {
      {"Parks",
       "Riverside & <Bank>",
       "by the \"water\"",
       {498000.125, 5200000.5, 502500.75, 5204000},
       "EPSG:26910",
       {{"Main Map", "Roads", true}, {"Main Map", "Parcels & Lots", false}},
       0},
      {"", "Loose", "", {-122.5, 37.25, -122, 37.75}, kWgs84, {}, 0},
      {"Parks", "Second", "", {1, 2, 3, 4}, "EPSG:3857", {}, 0},
      {"Pacific", "Dateline", "", {175, -20, -175, -15}, kWgs84, {}, 0},
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

double numberAt(const pugi::xml_node& node, const char* path) {
  return node.select_node(path).node().text().as_double();
}

TEST(convert_KmlTest, WritesAFolderPerGroupAndAPlacemarkPerBookmark) {
  const Bookmarks bookmarks = sample();
  const std::vector<host::Envelope> boxes = boxesOf(bookmarks);
  WriteNotes notes;
  const std::string text = writeKml(bookmarks, boxes, notes);
  EXPECT_TRUE(
      text.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<kml xmlns=\"http://www.opengis.net/kml/2.2\""));
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(text.c_str()));
  const pugi::xml_node root = document.child("kml").child("Document");
  std::vector<std::string> folders;
  for (const pugi::xml_node& folder : root.children("Folder")) {
    folders.push_back(folder.child_value("name"));
  }
  EXPECT_EQ(folders, (std::vector<std::string>{"Parks", "Pacific"}));
  EXPECT_EQ(std::string(root.child("Placemark").child_value("name")), "Loose");
  EXPECT_EQ(root.child("Folder").select_nodes("Placemark").size(), 2u);

  const pugi::xpath_node_set placemarks = root.select_nodes("//Placemark");
  ASSERT_EQ(placemarks.size(), bookmarks.size());
  // Placemarks stand by group: Parks (0, 2), the loose one (1), Pacific (3).
  const std::size_t order[] = {0, 2, 1, 3};
  for (std::size_t i = 0; i < placemarks.size(); ++i) {
    const pugi::xml_node placemark = placemarks[i].node();
    const host::Envelope& box = boxes[order[i]];
    EXPECT_EQ(numberAt(placemark, "Region/LatLonAltBox/west"), box.XMin) << i;
    EXPECT_EQ(numberAt(placemark, "Region/LatLonAltBox/south"), box.YMin) << i;
    EXPECT_EQ(numberAt(placemark, "Region/LatLonAltBox/north"), box.YMax) << i;
    const double east = numberAt(placemark, "Region/LatLonAltBox/east");
    EXPECT_EQ(east, box.XMax < box.XMin ? box.XMax + 360 : box.XMax) << i;
    EXPECT_GT(east, numberAt(placemark, "Region/LatLonAltBox/west")) << i;
    const double lon = numberAt(placemark, "LookAt/longitude");
    const double lat = numberAt(placemark, "LookAt/latitude");
    EXPECT_TRUE(lon >= -180 && lon <= 180) << lon;
    EXPECT_TRUE(lat > box.YMin && lat < box.YMax) << lat;
    EXPECT_GT(numberAt(placemark, "LookAt/range"), 0);
  }
  EXPECT_EQ(numberAt(placemarks[3].node(), "LookAt/longitude"), 180);
}

TEST(convert_KmlTest, RoundTripsEveryBookmarkExactly) {
  const Bookmarks bookmarks = sample();
  WriteNotes notes;
  const Bookmarks read = readKml(writeKml(bookmarks, boxesOf(bookmarks), notes), "b.kml");
  ASSERT_EQ(read.size(), bookmarks.size());
  const std::size_t order[] = {0, 2, 1, 3};
  for (std::size_t i = 0; i < read.size(); ++i) {
    const Bookmark& b = bookmarks[order[i]];
    EXPECT_EQ(read[i].group, b.group);
    EXPECT_EQ(read[i].name, b.name);
    EXPECT_EQ(read[i].description, b.description);
    EXPECT_EQ(read[i].extent, b.extent) << i;
    EXPECT_EQ(read[i].crs, b.crs);
    ASSERT_EQ(read[i].layers.size(), b.layers.size());
    for (std::size_t l = 0; l < b.layers.size(); ++l) {
      EXPECT_EQ(read[i].layers[l].frame, b.layers[l].frame);
      EXPECT_EQ(read[i].layers[l].layer, b.layers[l].layer);
      EXPECT_EQ(read[i].layers[l].visible, b.layers[l].visible);
    }
  }
}

TEST(convert_KmlTest, ReadsPlacemarksOfOtherPrograms) {
  const std::string head = "<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Document>";
  const std::string tail = "</Document></kml>";
  struct Case {
    const char* what;
    std::string placemarks;
    const char* group;
    host::Envelope extent;
  } cases[] = {
      {"a Region",
       "<Folder><name>G</name><Placemark><name>n</name><Region><LatLonAltBox><north>4</north>"
       "<south>2</south><east>3</east><west>1</west></LatLonAltBox></Region></Placemark></Folder>",
       "G",
       {1, 2, 3, 4}},
      {"a Region across the antimeridian, east below west",
       "<Placemark><name>n</name><Region><LatLonAltBox><north>4</north><south>2</south>"
       "<east>-170</east><west>170</west></LatLonAltBox></Region></Placemark>",
       "",
       {170, 2, 190, 4}},
      {"a polygon in a folder in a folder",
       "<Folder><name>Outer</name><Folder><name>Inner</name><Placemark><name>n</name><Polygon>"
       "<outerBoundaryIs><LinearRing><coordinates>1,2,0 5,2,0 5,6,0 1,2,0</coordinates>"
       "</LinearRing></outerBoundaryIs></Polygon></Placemark></Folder></Folder>",
       "Inner",
       {1, 2, 5, 6}},
      {"a point",
       "<Placemark><name>n</name><Point><coordinates>\n  7.5,45.25\n</coordinates></Point>"
       "</Placemark>",
       "",
       {7.5, 45.25, 7.5, 45.25}},
  };
  for (const Case& c : cases) {
    const Bookmarks read = readKml(head + c.placemarks + tail, "b.kml");
    ASSERT_EQ(read.size(), 1u) << c.what;
    EXPECT_EQ(read[0].name, "n") << c.what;
    EXPECT_EQ(read[0].group, c.group) << c.what;
    EXPECT_EQ(read[0].extent, c.extent) << c.what;
    EXPECT_EQ(read[0].crs, kWgs84) << c.what;
  }

  // Only a LookAt: the square that Google Earth's view shows from its range.
  const Bookmarks seen = readKml(head +
                                     "<Placemark><name>n</name><LookAt><longitude>0</longitude>"
                                     "<latitude>0</latitude><range>8660.254037844386</range>"
                                     "</LookAt></Placemark>" +
                                     tail,
                                 "b.kml");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NEAR(seen[0].extent.XMax - seen[0].extent.XMin, 10000 / 111319.49079327357, 1e-9);
  EXPECT_NEAR(seen[0].extent.YMax, 5000 / 111319.49079327357, 1e-9);
}

TEST(convert_KmlTest, RefusesWithTheFileAndThePlacemark) {
  const std::string head = "<kml><Document>\n<Placemark><name>n</name>";
  const std::string tail = "</Placemark></Document></kml>";
  auto region = [](const char* north, const char* south) {
    return std::string("<Region><LatLonAltBox><north>") + north + "</north><south>" + south +
           "</south><east>3</east><west>1</west></LatLonAltBox></Region>";
  };
  struct Case {
    std::string text;
    const char* message;
  } cases[] = {
      {"<kml><Document>\n<Placemark></Document></kml>",
       "b.kml: line 2: not well-formed XML: Start-end tags mismatch"},
      {"<!DOCTYPE kml [<!ENTITY x \"y\">]><kml/>",
       "b.kml: line 1: the document type declaration declares entities, which are refused"},
      {"<qgis_bookmarks/>",
       "b.kml: line 1: not KML: the root element is <qgis_bookmarks>, not <kml>"},
      {head + tail,
       "b.kml: <Placemark> at line 2: neither a <Region>, a geometry nor a <LookAt> says where it "
       "is"},
      {head + region("4", "5") + tail, "b.kml: <Placemark> at line 2: south is greater than north"},
      {head + region("NaN", "2") + tail,
       "b.kml: <Placemark> at line 2: <north> \"NaN\" is not a finite number"},
      {head + region("95", "2") + tail,
       "b.kml: <Placemark> at line 2: a latitude lies outside -90 to 90"},
      {head +
           "<LookAt><longitude>0</longitude><latitude>90</latitude><range>1.7e308</range>"
           "</LookAt>" +
           tail,
       "b.kml: <Placemark> at line 2: a longitude lies outside -540 to 540"},
      {head + "<Point><coordinates>1;2</coordinates></Point>" + tail,
       "b.kml: <Placemark> at line 2: the coordinates \"1;2\" are not longitude,latitude"},
      {head + region("4", "2") +
           "<ExtendedData><cw:layer xmlns:cw=\"urn:corbelwick:bookmarks\" frame=\"F\" "
           "visible=\"yes\">L</cw:layer></ExtendedData>" +
           tail,
       "b.kml: <Placemark> at line 2: a layer's \"visible\" is neither true nor false"},
      {head + region("4", "2") +
           "<ExtendedData><Data name=\"extent\"><value>1,2,3</value></Data><Data name=\"crs\">"
           "<value>EPSG:3857</value></Data></ExtendedData>" +
           tail,
       "b.kml: <Placemark> at line 2: the extent \"1,2,3\" is not four numbers"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(inputErrorOf([&] { readKml(c.text, "b.kml"); }), c.message) << c.text;
  }
}

}  // namespace
}  // namespace cw::convert

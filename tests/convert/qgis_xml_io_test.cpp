#include "convert/qgis_xml_io.h"

#include <gtest/gtest.h>

#include <string>

#include "convert/reference_systems.h"
#include "input_error_of.h"

namespace cw::convert {
namespace {

using testing::inputErrorOf;

std::string oneBookmark(const std::string& srId, const std::string& extra = "") {
  return "<!DOCTYPE qgis_bookmarks>\n<qgis_bookmarks>\n  <bookmark>\n    <id>{x}</id>\n"
         "    <name>n</name>\n    <project>p</project>\n    <xmin>1</xmin>\n    <ymin>2</ymin>\n"
         "    <xmax>3</xmax>\n    <ymax>4</ymax>\n    <sr_id>" +
         srId + "</sr_id>\n" + extra + "  </bookmark>\n</qgis_bookmarks>\n";
}

std::string written(const Bookmarks& bookmarks) {
  ReferenceSystems systems;
  WriteNotes notes;
  return writeQgisXml(bookmarks, systems, "b.xml", notes);
}

TEST(convert_QgisXmlTest, WritesWhatQgisExports) {
  const Bookmarks bookmarks = {
      {"Coast", "Harbour", "", {12.87, 55.52, 13.16, 55.62}, "EPSG:4326", {}, 0}};
  EXPECT_EQ(written(bookmarks),
            "<!DOCTYPE qgis_bookmarks>\n<qgis_bookmarks>\n  <bookmark>\n"
            "    <id>{00000000-0000-4000-8000-000000000001}</id>\n    <name>Harbour</name>\n"
            "    <project>Coast</project>\n    <xmin>12.87</xmin>\n    <ymin>55.52</ymin>\n"
            "    <xmax>13.16</xmax>\n    <ymax>55.62</ymax>\n    <sr_id>3452</sr_id>\n"
            "  </bookmark>\n</qgis_bookmarks>\n");
}

TEST(convert_QgisXmlTest, ResolvesQgisIdsOfTheCommonSystemsBothWays) {
  struct Case {
    const char* crs;  // as a bookmark gives it
    int srId;         // what QGIS 3.22's srs.db holds for it
    const char* read;
  } cases[] = {
      {"EPSG:4326", 3452, "EPSG:4326"},    // WGS 84
      {"EPSG:3857", 3857, "EPSG:3857"},    // Web Mercator
      {"EPSG:32633", 3117, "EPSG:32633"},  // WGS 84 / UTM zone 33N
      {"EPSG:32760", 3210, "EPSG:32760"},  // WGS 84 / UTM zone 60S
      {"EPSG:26910", 2287, "EPSG:26910"},  // NAD83 / UTM zone 10N
      {"EPSG:27700", 2437, "EPSG:27700"},  // British National Grid
      {"EPSG:2154", 145, "EPSG:2154"},     // Lambert-93
      {"EPSG:3035", 1000, "EPSG:3035"},    // ETRS89 LAEA Europe
      {"EPSG:4258", 3390, "EPSG:4258"},    // ETRS89
      {"EPSG:25832", 2105, "EPSG:25832"},  // ETRS89 / UTM zone 32N
      {"+proj=longlat +datum=WGS84 +no_defs +type=crs", 3452, "EPSG:4326"},
  };
  for (const Case& c : cases) {
    const std::string text = written({{"g", "n", "", {1, 2, 3, 4}, c.crs, {}, 0}});
    EXPECT_NE(text.find("<sr_id>" + std::to_string(c.srId) + "</sr_id>"), std::string::npos)
        << c.crs << "\n"
        << text;
    const Bookmarks read = readQgisXml(oneBookmark(std::to_string(c.srId)), "b.xml");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].crs, c.read) << c.srId;
  }
}

TEST(convert_QgisXmlTest, SaysWhichSystemsHaveNoQgisId) {
  const std::string unknownId =
      " is no QGIS id of a common reference system (ids of user-defined systems differ "
      "between QGIS installations)";
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {oneBookmark("100003"), "b.xml: <bookmark> at line 3: <sr_id> \"100003\"" + unknownId},
      {oneBookmark("3452.5"), "b.xml: <bookmark> at line 3: <sr_id> \"3452.5\"" + unknownId},
      {oneBookmark("1e30"), "b.xml: <bookmark> at line 3: <sr_id> \"1e30\"" + unknownId},
      {oneBookmark("EPSG:4326"), "b.xml: <bookmark> at line 3: <sr_id> \"EPSG:4326\"" + unknownId},
      {oneBookmark(""), "b.xml: <bookmark> at line 3: <sr_id> \"\"" + unknownId},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(inputErrorOf([&] { readQgisXml(c.text, "b.xml"); }), c.message) << c.text;
  }
  EXPECT_EQ(inputErrorOf([] {
              written({{"g", "Far", "", {1, 2, 3, 4}, "+proj=ortho +lat_0=40 +lon_0=-100", {}, 0}});
            }),
            "b.xml: bookmark \"Far\": QGIS has no fixed id for the reference system +proj=ortho "
            "+lat_0=40 +lon_0=-100 (see docs/converter.md for the systems known)");
}

TEST(convert_QgisXmlTest, RoundTripsNamesAndNumbersExactly) {
  const Bookmarks bookmarks = {
      {"A & B",
       "<tag> \"quoted\" 'single' \xC3\xA9",
       "",
       {-122.5, 37.25, -122, 37.75},
       "EPSG:4326",
       {},
       0},
      {"",
       "tiny and huge",
       "",
       {1e-300, -5e-324, 1.7976931348623157e308, 0.1},
       "EPSG:3857",
       {},
       12.5},
      {"Roads", "  blanks around  ", "", {0, 0, 0, 0}, "EPSG:27700", {}, 0},
      // A parser turns a CR written as it is into LF.
      {"Lines\r\n", "cr lf\r\nlone cr\rlf\n", "", {0, 0, 0, 0}, "EPSG:27700", {}, 0},
  };
  const Bookmarks read = readQgisXml(written(bookmarks), "b.xml");
  ASSERT_EQ(read.size(), bookmarks.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].group, bookmarks[i].group);
    EXPECT_EQ(read[i].name, bookmarks[i].name);
    EXPECT_EQ(read[i].extent, bookmarks[i].extent) << i;
    EXPECT_EQ(read[i].crs, bookmarks[i].crs);
    EXPECT_EQ(read[i].rotation, bookmarks[i].rotation);
  }
}

TEST(convert_QgisXmlTest, ReplacesCharactersXmlCannotHoldAndCountsThem) {
  ReferenceSystems systems;
  WriteNotes notes;
  const std::string text =
      writeQgisXml({{"g\x01", "bell\x07", "", {1, 2, 3, 4}, "EPSG:4326", {}, 0},
                    {"g", "tab\tok", "", {1, 2, 3, 4}, "EPSG:4326", {}, 0}},
                   systems, "b.xml", notes);
  EXPECT_EQ(notes.changedNames, 2);
  const Bookmarks read = readQgisXml(text, "b.xml");
  EXPECT_EQ(read[0].name, "bell\xEF\xBF\xBD");
  EXPECT_EQ(read[0].group, "g\xEF\xBF\xBD");
  EXPECT_EQ(read[1].name, "tab\tok");
}

TEST(convert_QgisXmlTest, RefusesWithTheFileAndTheLine) {
  struct Case {
    std::string text;
    const char* message;
  } cases[] = {
      {"<qgis_bookmarks>\n<bookmark>\n</qgis_bookmarks>",
       "b.xml: line 3: not well-formed XML: Start-end tags mismatch"},
      {"<!DOCTYPE qgis_bookmarks [\n<!ENTITY lol \"lol\">\n]>\n<qgis_bookmarks/>",
       "b.xml: line 1: the document type declaration declares entities, which are refused"},
      {"<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><qgis_bookmarks>"
       "<bookmark><name>&e;</name></bookmark></qgis_bookmarks>",
       "b.xml: line 1: the document type declaration declares entities, which are refused"},
      {"<kml/>",
       "b.xml: line 1: not QGIS bookmarks: the root element is <kml>, not <qgis_bookmarks>"},
      {oneBookmark("3452", "").replace(oneBookmark("3452").find("    <xmin>1</xmin>\n"), 19, ""),
       "b.xml: <bookmark> at line 3: no <xmin>"},
      {oneBookmark("3452").replace(oneBookmark("3452").find("<ymin>2"), 7, "<ymin>NaN"),
       "b.xml: <bookmark> at line 3: <ymin> \"NaN\" is not a finite number"},
      {oneBookmark("3452").replace(oneBookmark("3452").find("<xmax>3"), 7, "<xmax>0"),
       "b.xml: <bookmark> at line 3: xmin 1 is greater than xmax 0"},
      {oneBookmark("3452", "    <rotation>left</rotation>\n"),
       "b.xml: <bookmark> at line 3: <rotation> is not a finite number"},
      // The lines of the file as it was, though the parse turns escapes and CR LF into less.
      {"<qgis_bookmarks>\r\n<bookmark><name>a &amp;\r\n&lt;b&gt;\r\n\r\n</name>"
       "<xmin>1</xmin><ymin>1</ymin><xmax>2</xmax><ymax>2</ymax><sr_id>3452</sr_id>"
       "</bookmark>\r\n\r\n<bookmark><name>c</name>\r\n<xmin>x</xmin></bookmark>\r\n"
       "</qgis_bookmarks>",
       "b.xml: <bookmark> at line 7: <xmin> \"x\" is not a finite number"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(inputErrorOf([&] { readQgisXml(c.text, "b.xml"); }), c.message) << c.text;
  }
}

}  // namespace
}  // namespace cw::convert

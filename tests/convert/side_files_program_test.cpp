// The layer visibilities of a list, carried through its side files with --program-dir.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "convert/disk.h"
#include "run_converter.h"
#include "store/side_files.h"
#include "support/list_lines.h"

namespace cw::convert {
namespace {

using cw::testing::bookmark;
using cw::testing::group;
using cw::testing::header;
using testing::ConverterDir;

// A program directory in the test's directory, so on the same drive as the lists there.
class convert_SideFilesProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(dir.path("prog/BookmarksConfig")); }

  // The layer-visibility file the app reads for a bookmark of the list `list`.
  std::string sideFile(const std::string& list, const std::string& groupName,
                       const std::string& name) {
    Disk disk;
    const std::string configDir = disk.windowsPath(dir.path("prog")) + "\\BookmarksConfig/";
    const std::string windowsPath = store::LayerVisibilityPath(
        disk.fs(dir.path(list)), configDir, disk.windowsPath(dir.path(list)), groupName, name);
    // Back from the Z: drive (the root) to a path of this machine.
    std::string local = windowsPath.substr(2);
    std::replace(local.begin(), local.end(), '\\', '/');
    return local;
  }

  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  ConverterDir dir;
};

const char* const kWithLayers = R"({"type":"FeatureCollection","features":[
  {"type":"Feature","bbox":[1,2,3,4],"properties":{"name":"Riverside","group":"Parks",
   "layers":[{"frame":"Main Map","layer":"Roads","visible":true},
             {"frame":"Main Map","layer":"Say \"when\"","visible":false}]}},
  {"type":"Feature","bbox":[1,2,3,4],"properties":{"name":"Plain","group":"Parks"}}]})";

TEST_F(convert_SideFilesProgramTest, VisibilitiesAreWrittenAsTheAppWritesThemAndReadBack) {
  dir.write("in.geojson", kWithLayers);
  auto result = dir.run("in.geojson list.bmk --program-dir prog");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "wrote 2 bookmarks in 1 group to list.bmk\n"
            "extents kept in EPSG:4326 (give --crs for another system)\n");
  EXPECT_EQ(read(sideFile("list.bmk", "Parks", "Riverside")),
            "\"Riverside\",\"Main Map\",\"Roads\",\"True\"\r\n"
            // The quote a field cannot hold as the closing typographic one, in the ANSI code page.
            "\"Riverside\",\"Main Map\",\"Say \x94when\x94\",\"False\"\r\n");
  EXPECT_FALSE(std::filesystem::exists(sideFile("list.bmk", "Parks", "Plain")));

  // Read back through the list into a format that holds them.
  result = dir.run("list.bmk out.kml --crs 4326 --program-dir prog");
  ASSERT_EQ(result.status, 0) << result.err;
  result = dir.run("out.kml out.geojson");
  ASSERT_EQ(result.status, 0) << result.err;
  const nlohmann::json features = nlohmann::json::parse(dir.read("out.geojson"))["features"];
  EXPECT_EQ(features[0]["properties"]["layers"],
            nlohmann::json::parse(R"([{"frame":"Main Map","layer":"Roads","visible":true},
              {"frame":"Main Map","layer":"Say \u201dwhen\u201d","visible":false}])"));
  EXPECT_FALSE(features[1]["properties"].contains("layers"));

  // Without the program directory the list's bookmarks carry none.
  result = dir.run("list.bmk bare.geojson --crs 4326");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dir.read("bare.geojson").find("\"layers\""), std::string::npos);
}

TEST_F(convert_SideFilesProgramTest, AppendedGroupsGetFreshFilesInTheirOwnListsArea) {
  dir.write("in.geojson", kWithLayers);
  dir.write("list.bmk", header() + group("Parks") + bookmark("Parks", "Riverside"));
  // A file left behind in the area of a group the list no longer holds.
  ASSERT_EQ(dir.run("in.geojson list.bmk --program-dir prog").status, 0);
  const std::string stale = sideFile("list.bmk", "Parks2", "Riverside");
  ASSERT_TRUE(std::filesystem::exists(stale));
  dir.write("list.bmk", header() + group("Parks") + bookmark("Parks", "Riverside"));
  dir.write("plain.geojson", R"({"type":"FeatureCollection","features":[{"type":"Feature",
    "bbox":[1,2,3,4],"properties":{"name":"Riverside","group":"Parks"}}]})");

  auto result = dir.run("plain.geojson list.bmk --program-dir prog");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(dir.read("list.bmk").find(group("Parks2")), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(stale)) << "a stale file would answer for the new bookmark";

  // Another list with the same group and bookmark names keeps its own files.
  ASSERT_EQ(dir.run("in.geojson other.bmk --program-dir prog").status, 0);
  EXPECT_NE(sideFile("other.bmk", "Parks", "Riverside"),
            sideFile("list.bmk", "Parks", "Riverside"));
  EXPECT_TRUE(std::filesystem::exists(sideFile("other.bmk", "Parks", "Riverside")));
}

TEST_F(convert_SideFilesProgramTest, AListThatCannotBeWrittenKeepsNoFilesOfItsBookmarks) {
  dir.write("in.geojson", kWithLayers);
  // A directory where the list should go: the list cannot take its place.
  std::filesystem::create_directories(dir.path("blocked.bmk"));
  auto result = dir.run("in.geojson blocked.bmk --program-dir prog");
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(result.err.starts_with("corbelwick-convert: blocked.bmk: cannot be written"))
      << result.err;
  EXPECT_FALSE(std::filesystem::exists(sideFile("blocked.bmk", "Parks", "Riverside")));
}

TEST_F(convert_SideFilesProgramTest, SaysWhenTheVisibilitiesCannotBeCarried) {
  dir.write("in.geojson", kWithLayers);
  dir.write("in.xml", "<qgis_bookmarks/>");
  std::filesystem::create_directories(dir.path("data/corbelwick-bookmarks/drive_c/prog"));
  struct Case {
    const char* arguments;
    int status;
    std::string said;
  } cases[] = {
      {"in.geojson out.xml --program-dir prog", 1,
       "corbelwick-convert: --program-dir: applies to a .bmk side, and neither file is one\n"},
      {"in.geojson out.bmk --program-dir nowhere", 1,
       "corbelwick-convert: nowhere: no such directory (given as --program-dir)\n"},
      {"in.geojson plain.bmk", 0,
       "dropped: the layer visibilities of 1 bookmark (give --program-dir to keep them)\n"},
      // The program directory on the C: drive, the list elsewhere: lists there have no side files.
      {"in.geojson far.bmk --program-dir data/corbelwick-bookmarks/drive_c/prog", 0,
       "no layer visibilities written: far.bmk is not on the program's drive (C:), and only lists "
       "there have them\n"},
  };
  for (const Case& c : cases) {
    auto result = dir.run(c.arguments, "XDG_DATA_HOME='" + dir.path("data") + "'");
    EXPECT_EQ(result.status, c.status) << c.arguments << ": " << result.err;
    const std::string& said = c.status ? result.err : result.out;
    EXPECT_NE(said.find(c.said), std::string::npos) << c.arguments << ":\n" << said;
  }
}

}  // namespace
}  // namespace cw::convert

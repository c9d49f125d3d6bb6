// The program as a user runs it: options, messages, exit status, and nothing written on failure.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "run_converter.h"
#include "support/list_lines.h"

namespace cw::convert {
namespace {

using cw::testing::bookmark;
using cw::testing::group;
using cw::testing::header;
using testing::ConverterDir;

const std::string kList = header() + group("Parks") + bookmark("Parks", "Riverside") +
                          bookmark("Roads", "A1", "0.5,1,2,3");

TEST(convert_ConverterProgramTest, ConvertsAndSaysWhatItWrote) {
  ConverterDir dir;
  dir.write("in.bmk", kList);
  auto result = dir.run("in.bmk out.csv");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "wrote 2 bookmarks in 2 groups to out.csv\n");
  EXPECT_EQ(dir.read("out.csv"),
            "group,name,xmin,ymin,xmax,ymax\r\nParks,Riverside,1,2,3,4\r\nRoads,A1,0.5,1,2,3\r\n");

  result = dir.run("out.csv back.bmk --group Roads");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dir.read("back.bmk"), header() + group("Roads") + bookmark("Roads", "A1", "0.5,1,2,3"));
}

TEST(convert_ConverterProgramTest, BadInputIsOneLineExitOneAndNothingWritten) {
  ConverterDir dir;
  dir.write("in.bmk", kList);
  dir.write("empty.csv", "");
  dir.write("cut.bmk", header() + "\"P\",\"n\",1,2\r\n");
  dir.write("target.bmk", kList);
  // Files in the wrong format for their extension, and one too large to read (sparse, 129 MiB).
  dir.write("json.kml", "{\"type\":\"FeatureCollection\",\"features\":[]}");
  for (const char* name : {"kml.bkmx", "kml.xml", "kml.geojson"}) dir.write(name, "<kml/>");
  dir.write("huge.geojson", "{");
  std::filesystem::resize_file(dir.path("huge.geojson"), std::uintmax_t{129} << 20);
  struct Case {
    const char* arguments;
    const char* message;
  } cases[] = {
      {"in.bmk out.txt",
       "out.txt: unknown format; the formats are .bmk, .csv, .geojson, .xml, .bkmx, .kml"},
      {"missing.bmk out.csv", "missing.bmk: no such file"},
      {"empty.csv out.bmk", "empty.csv: the file is empty"},
      {"cut.bmk out.csv",
       "cut.bmk: end of file: the last record is cut short (a list's records "
       "have ten fields each)"},
      {"cut.bmk target.bmk",
       "cut.bmk: end of file: the last record is cut short (a list's "
       "records have ten fields each)"},
      {"in.bmk in.bmk", "in.bmk: is the input file itself"},
      {"in.bmk out.csv --group Nowhere", "in.bmk: no group Nowhere"},
      {"json.kml out.csv", "json.kml: line 1: not well-formed XML: No document element found"},
      {"kml.bkmx out.csv",
       "kml.bkmx: line 1: not JSON: syntax error while parsing value - "
       "invalid literal; last read: '<'"},
      {"kml.xml out.csv",
       "kml.xml: line 1: not QGIS bookmarks: the root element is <kml>, not <qgis_bookmarks>"},
      {"kml.geojson out.csv",
       "kml.geojson: line 1: not JSON: syntax error while parsing value - "
       "invalid literal; last read: '<'"},
      {"huge.geojson out.csv",
       "huge.geojson: the file is larger than the 128 MiB the converter reads"},
  };
  const std::size_t files = dir.fileCount();
  for (const Case& c : cases) {
    auto result = dir.run(c.arguments);
    EXPECT_EQ(result.status, 1) << c.arguments;
    EXPECT_EQ(result.err, std::string("corbelwick-convert: ") + c.message + "\n") << c.arguments;
    EXPECT_EQ(dir.fileCount(), files) << c.arguments;
  }
  EXPECT_EQ(dir.read("target.bmk"), kList);
  EXPECT_EQ(dir.read("in.bmk"), kList);
}

TEST(convert_ConverterProgramTest, AppendingToAListSaysWhatWasRenamed) {
  ConverterDir dir;
  dir.write("in.bmk", kList);
  dir.write("target.bmk", kList);
  auto result = dir.run("in.bmk target.bmk");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "wrote 2 bookmarks in 2 groups to target.bmk\n"
            "renamed: 2 groups whose name the list already holds\n");
  EXPECT_EQ(dir.read("target.bmk"), kList + group("Parks2") + bookmark("Parks2", "Riverside") +
                                        group("Roads2") + bookmark("Roads2", "A1", "0.5,1,2,3"));
}

TEST(convert_ConverterProgramTest, AListAnotherProgramKeepsIsNotAppendedTo) {
  ConverterDir dir;
  dir.write("in.bmk", kList);
  dir.write("target.bmk", kList);
  // The lock the app's windows take while they change the list.
  const int held = ::open(dir.path("target.bmk.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  auto result = dir.run("in.bmk target.bmk");
  ::close(held);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "corbelwick-convert: target.bmk: the list is in use by another program; nothing was "
            "written, try again\n");
  EXPECT_EQ(dir.read("target.bmk"), kList);

  result = dir.run("in.bmk target.bmk");
  EXPECT_EQ(result.status, 0) << result.err;
}

TEST(convert_ConverterProgramTest, UsageErrorsExitTwo) {
  ConverterDir dir;
  for (const char* arguments :
       {"", "one.bmk", "a.bmk b.csv c.csv", "a.bmk b.csv --crs", "a.bmk b.csv --frobnicate"}) {
    auto result = dir.run(arguments);
    EXPECT_EQ(result.status, 2) << arguments;
    EXPECT_NE(result.err.find("usage: corbelwick-convert IN OUT"), std::string::npos);
  }
}

}  // namespace
}  // namespace cw::convert

#include "convert/csv_io.h"

#include <gtest/gtest.h>

#include "input_error_of.h"

namespace cw::convert {
namespace {

using testing::inputErrorOf;

TEST(convert_CsvTest, RoundTripsNamesThatNeedQuotingAndExactNumbers) {
  Bookmarks bookmarks = {
      {"Parks", "Riverside", "", {-122.5, 37.25, -122, 37.75}, "", {}, 0},
      {"a,b",
       "say \"hi\"",
       "",
       {0.1, 1e-300, 1.7976931348623157e308, 1.7976931348623157e308},
       "",
       {},
       0},
      {"", " padded ", "", {0, 0, 0, 0}, "", {}, 0},
      {"lines", "one\r\ntwo", "", {1, 2, 3, 4}, "", {}, 0},
  };
  const std::string text = writeCsv(bookmarks);
  EXPECT_TRUE(
      text.starts_with("group,name,xmin,ymin,xmax,ymax\r\nParks,Riverside,-122.5,37.25,"
                       "-122,37.75\r\n\"a,b\",\"say \"\"hi\"\"\",0.1,1e-300,"));
  Bookmarks read = readCsv(text, "b.csv");
  ASSERT_EQ(read.size(), bookmarks.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].group, bookmarks[i].group);
    EXPECT_EQ(read[i].name, bookmarks[i].name);
    EXPECT_EQ(read[i].extent, bookmarks[i].extent);
  }
}

TEST(convert_CsvTest, ReadsLfLinesABomAndBlankLines) {
  Bookmarks read =
      readCsv("\xEF\xBB\xBFGroup, Name,XMin,YMin,XMax,YMax\n\nP,n,1,2,3,4\n\n", "b.csv");
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].name, "n");
}

TEST(convert_CsvTest, RefusesWithTheFileAndTheLine) {
  const std::string head = "group,name,xmin,ymin,xmax,ymax\r\n";
  struct Case {
    std::string text;
    const char* message;
  } cases[] = {
      {"<qgis_bookmarks/>",
       "b.csv: line 1: the header line is not \"group,name,xmin,ymin,xmax,ymax\""},
      {head + "P,n,1,2,3\r\n", "b.csv: line 2: 5 fields where the header has 6"},
      {head + "P,n,1,2,3,4\r\nP,m,NaN,2,3,4\r\n",
       "b.csv: line 3: xmin \"NaN\" is not a finite number"},
      {head + "P,n,1,inf,3,4\r\n", "b.csv: line 2: ymin \"inf\" is not a finite number"},
      {head + "P,n,1,2,3,1e999\r\n", "b.csv: line 2: ymax \"1e999\" is not a finite number"},
      {head + "P,n,1,5,3,4\r\n", "b.csv: line 2: ymin 5 is greater than ymax 4"},
      {head + "P,\"open,1,2,3,4\r\n", "b.csv: line 2: a quoted field has no closing quote"},
      {head + "P,\"a\"b,1,2,3,4\r\n",
       "b.csv: line 2: text after a closing quote (a quote inside a field is written \"\")"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(inputErrorOf([&] { readCsv(c.text, "b.csv"); }), c.message) << c.text;
  }
}

}  // namespace
}  // namespace cw::convert

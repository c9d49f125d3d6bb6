#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "base/failure.h"
#include "platform/file_slots.h"
#include "store/list_format.h"
#include "support/failure_number.h"
#include "support/temp_drives.h"

namespace cw::store {
namespace {

using cw::testing::failureNumber;

TEST(RecordWriterTest, WritesTheRecordsOfAListByteForByte) {
  EXPECT_EQ(formatRecord(headerRecord()),
            "\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\","
            "\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\","
            "\"Bookmarks_v2.0\",\"Bookmarks_v2.0\"\r\n");
  EXPECT_EQ(formatRecord(groupRecord("Parks")),
            "\"Parks\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\","
            "\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\"\r\n");
  EXPECT_EQ(formatRecord(bookmarkRecord("Parks", "Riverside", -122.5, 37.25, -122, 37.75)),
            "\"Parks\",\"Riverside\",-122.5,37.25,-122,37.75,,,,\r\n");
  const std::vector<Field> layer = {Field::text("Riverside"), Field::text("Main Map"),
                                    Field::text("Roads"), Field::text("True")};
  EXPECT_EQ(formatRecord(layer), "\"Riverside\",\"Main Map\",\"Roads\",\"True\"\r\n");
  EXPECT_EQ(formatRecord(std::vector<Field>{Field::text("")}), "\"\"\r\n");
}

struct NumberCase {
  double value;
  const char* written;
};

TEST(RecordWriterTest, NumbersAreWrittenShortWithAtMostFifteenDigits) {
  const NumberCase cases[] = {
      {0.5, "0.5"},
      {-0.0, "0"},
      {0.0, "0"},
      {100, "100"},
      {-122.5, "-122.5"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1.23456789012346E+15"},
      {999999999999999.9, "1E+15"},
      {1e15, "1E+15"},
      {1e20, "1E+20"},
      {-2.5e100, "-2.5E+100"},
      {0.000001, "0.000001"},
      {0.00000125, "0.00000125"},
      {1e-7, "1E-07"},
      {-1.5e-7, "-1.5E-07"},
      {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
      {std::numeric_limits<double>::denorm_min(), "5E-324"},
      {6378137.123456789, "6378137.12345679"},
      // Map coordinates of up to four places, and the values either side of that.
      {400000.5, "400000.5"},
      {-5000000.25, "-5000000.25"},
      {0.0625, "0.0625"},
      {0.00005, "0.00005"},
      {1234.56789, "1234.56789"},
      {999999999.9999, "999999999.9999"},
      {1e9 + 0.5, "1000000000.5"},
      {0.1 + 0.7, "0.8"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatNumber(c.value), c.written) << c.value;
}

TEST(RecordWriterTest, RefusesFieldsTheFormatCannotHold) {
  EXPECT_EQ(failureNumber([] { formatNumber(std::nan("")); }), err::kInvalidProcedureCall);
  EXPECT_EQ(failureNumber([] { formatNumber(-HUGE_VAL); }), err::kOverflow);
  EXPECT_EQ(failureNumber([] { formatRecord(groupRecord("Say \"hi\"")); }),
            err::kInvalidProcedureCall);
}

TEST(RecordWriterTest, ARefusedRecordLeavesTheFileAsItWas) {
  cw::testing::TempDrives drives;
  drives.write("C:\\list.bmk", "\"a\"\r\n");
  platform::FileSlots files(drives.fs());
  files.openForAppend(1, "C:\\list.bmk");
  EXPECT_EQ(failureNumber([&] { writeRecord(files, 1, groupRecord("x\"y")); }),
            err::kInvalidProcedureCall);
  files.close(1);
  EXPECT_EQ(drives.read("C:\\list.bmk"), "\"a\"\r\n");
}

TEST(RecordWriterTest, TextIsWrittenInWindows1252) {
  EXPECT_EQ(formatRecord(std::vector<Field>{Field::text("Caf\xC3\xA9 \xE2\x82\xAC"),
                                            Field::text("\xE6\x97\xA5\xE6\x9C\xAC")}),
            "\"Caf\xE9 \x80\",\"??\"\r\n");
}

TEST(RecordWriterTest, RecordsReadBackAsWrittenThroughEveryRewrite) {
  cw::testing::TempDrives drives;
  std::vector<Record> records = {
      headerRecord(),
      groupRecord("Parks"),
      bookmarkRecord("Parks", "Riverside", -122.5, 37.25, -122, 37.75),
      bookmarkRecord("Parks", "Tiny", 1e-7, -0.0, 6378137.12345679, 1.5e300),
      bookmarkRecord("Caf\xC3\xA9", "line\r\nbreak, comma", 0.1, 0.2, 0.3, 1.0 / 3),
      {Field::text(""), Field(), Field::number(7), Field::text("7"), Field(), Field(), Field(),
       Field(), Field(), Field::text("last")},
  };
  platform::FileSlots files(drives.fs());
  files.openForAppend(1, "C:\\one.bmk");
  for (const auto& record : records) writeRecord(files, 1, record);
  files.close(1);
  records[4][5] = Field::number(0.333333333333333);  // fifteen digits are kept

  // Each copy reads the one before and must equal it byte for byte.
  const char* chain[] = {"C:\\one.bmk", "C:\\two.bmk", "C:\\three.bmk"};
  for (int i = 0; i + 1 < 3; ++i) {
    files.openForInput(1, chain[i]);
    files.openForAppend(2, chain[i + 1]);
    std::vector<Record> read;
    while (!endOfFile(files, 1)) {
      read.push_back(readRecord(files, 1));
      writeRecord(files, 2, read.back());
    }
    files.closeAll();
    EXPECT_EQ(read, records) << chain[i];
    EXPECT_EQ(drives.read(chain[i + 1]), drives.read(chain[i])) << chain[i + 1];
  }
}

}  // namespace
}  // namespace cw::store

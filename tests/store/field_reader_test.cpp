#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/failure.h"
#include "platform/file_slots.h"
#include "store/list_format.h"
#include "support/chunked_input.h"
#include "support/failure_number.h"
#include "support/temp_drives.h"

namespace cw::store {
namespace {

// A field as the tests spell it: T:text, N:number as written, E for empty.
std::string describe(const Field& field) {
  if (field.isText()) return "T:" + field.textValue();
  if (field.isNumber()) return "N:" + formatNumber(field.numberValue());
  return "E";
}

// Every field up to the end-of-file test, read with the given refill size.
std::vector<std::string> readAll(const std::string& bytes, std::size_t chunk) {
  platform::ByteReader input(std::make_unique<testing::ChunkedInput>(bytes, chunk));
  FieldReader reader(input);
  std::vector<std::string> fields;
  while (!reader.atEnd()) fields.push_back(describe(reader.next()));
  return fields;
}

using cw::testing::failureNumber;

struct ReadCase {
  const char* what;
  std::string bytes;
  std::vector<std::string> fields;
};

TEST(FieldReaderTest, ReadsEachKindOfField) {
  const ReadCase cases[] = {
      {"a bookmark record",
       "\"Parks\",\"Riverside\",-122.5,37.25,-122,37.75,,,,\r\n",
       {"T:Parks", "T:Riverside", "N:-122.5", "N:37.25", "N:-122", "N:37.75", "E", "E", "E", "E"}},
      {"a quoted field runs across line ends",
       "\"first\r\nsecond\nthird\",x\r\n",
       {"T:first\r\nsecond\nthird", "T:x"}},
      {"blanks around fields",
       "  \"a b\"  ,\t12 ,  text here \t,  \r\n",
       {"T:a b", "N:12", "T:text here", "E"}},
      {"text after the closing quote is skipped",
       "\"a\"junk \"more\",\"b\"x\r\nc\r\n",
       {"T:a", "T:b", "T:c"}},
      {"a comma inside quotes", "\"one, two\",3\r\n", {"T:one, two", "N:3"}},
      {"quoted empty text is text", "\"\",,\"\"\r\n", {"T:", "E", "T:"}},
      {"numeric forms",
       "1E+20,1e-7,1.5E3,.5,5.,-0,+3,007,-.25e+2,1e-999\r\n",
       {"N:1E+20", "N:1E-07", "N:1500", "N:0.5", "N:5", "N:0", "N:3", "N:7", "N:-25", "N:0"}},
      {"texts that only look numeric",
       "1E,E5,1.2.3,--1,+-5,0x10,inf,-nan,1 2,.,-,1e+,.e5,5e3.0,1,5\r\n",
       {"T:1E", "T:E5", "T:1.2.3", "T:--1", "T:+-5", "T:0x10", "T:inf", "T:-nan", "T:1 2", "T:.",
        "T:-", "T:1e+", "T:.e5", "T:5e3.0", "N:1", "N:5"}},
      {"a lone CR and a lone LF each end a line",
       "a\rb\nc\r\nd\n\re",
       {"T:a", "T:b", "T:c", "T:d", "T:e"}},
      {"blank lines between records and after the last",
       "a,b\r\n\r\n   \r\n\t\r\nc,d\r\n\r\n  \r\n\n",
       {"T:a", "T:b", "T:c", "T:d"}},
      {"an empty last field before blank lines", "a,\r\n\r\nb,\r\n", {"T:a", "E", "T:b", "E"}},
      {"an empty field after a comma at the very end", "a,", {"T:a", "E"}},
      {"no line end after the last record", "a,b", {"T:a", "T:b"}},
      {"an empty file", "", {}},
      {"blank lines only", "\r\n  \r\n\t\n", {}},
      {"Windows-1252 bytes read as UTF-8",
       "\"Caf\xE9 \x80\x81\",Stra\xDF"
       "e\r\n",
       {"T:Caf\xC3\xA9 \xE2\x82\xAC\xC2\x81",
        "T:Stra\xC3\x9F"
        "e"}},
  };
  for (const auto& c : cases) {
    for (std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{5}, std::size_t{65536}}) {
      EXPECT_EQ(readAll(c.bytes, chunk), c.fields) << c.what << ", refills of " << chunk;
    }
  }
}

TEST(FieldReaderTest, LongFieldsSpanRefills) {
  std::string name(100000, 'n');
  std::string bytes = "\"" + name + "\"," + name + "\r\n";
  for (std::size_t chunk : {std::size_t{7}, std::size_t{65536}}) {
    EXPECT_EQ(readAll(bytes, chunk), (std::vector<std::string>{"T:" + name, "T:" + name}));
  }
}

struct FailCase {
  const char* what;
  std::string bytes;
  int fieldsBefore;  // fields read without failure before the one that fails
  int number;
};

TEST(FieldReaderTest, FailsWhereTheRuntimeWould) {
  const FailCase cases[] = {
      {"an unterminated quote", "a,\"never closed\r\n", 1, err::kInputPastEndOfFile},
      {"reading past the end", "a,b\r\n", 2, err::kInputPastEndOfFile},
      {"reading past blank lines at the end", "a\r\n\r\n  \r\n", 1, err::kInputPastEndOfFile},
      {"a number beyond the range of a double", "1,1e999,3\r\n", 1, err::kOverflow},
      {"a negative number beyond the range", "-1.5E+400\r\n", 0, err::kOverflow},
  };
  for (const auto& c : cases) {
    platform::ByteReader input(std::make_unique<testing::ChunkedInput>(c.bytes, 3));
    FieldReader reader(input);
    for (int i = 0; i < c.fieldsBefore; ++i) reader.next();
    EXPECT_EQ(failureNumber([&] { reader.next(); }), c.number) << c.what;
  }
}

// What a reader sees after skipping `skipped` fields: the rest of the fields, then the failure
// that stopped it ("fail <number>"), if any.
std::vector<std::string> readAfterSkipping(const std::string& bytes, std::size_t chunk,
                                           int skipped) {
  platform::ByteReader input(std::make_unique<testing::ChunkedInput>(bytes, chunk));
  FieldReader reader(input);
  std::vector<std::string> seen;
  try {
    reader.skip(skipped);
    while (!reader.atEnd()) seen.push_back(describe(reader.next()));
    seen.push_back(describe(reader.next()));  // one read past the end, which must fail
  } catch (const Failure& failure) {
    seen.push_back("fail " + std::to_string(failure.number()));
  }
  return seen;
}

// Skipping a field passes over exactly what reading it takes, and fails where reading fails.
TEST(FieldReaderTest, SkippingEndsAndFailsWhereReadingDoes) {
  const std::string longNumber(400, '7');
  const std::string longName(70000, 'n');
  const std::string inputs[] = {
      "\"Parks\",\"Riverside\",-122.5,37.25,-122,37.75,,,,\r\n",
      "  \"a b\"  ,\t12 ,  text here \t,  \r\n\"a\"junk \"more\",\"b\"x\r\nc\r\n",
      "a\rb\nc\r\nd\n\re,\r\n\r\n   \r\nf,",
      "1E+20,1e-7,-.25e+2,1e-999,E5,1e+,then,1,1e999,3\r\n",
      "1," + longNumber + ",x\r\n",
      "1,7" + longNumber.substr(0, 20) + "e1,x," + longNumber.substr(0, 20) + "e300\r\n",
      "\"" + longName + "\"," + longName + ",\"" + longName + "\"tail,1\r\n",
      "a,\"never closed\r\n",
      "\"closed at the very end\"",
      "\"Caf\xE9\",Stra\xDF"
      "e,1\r\n",
  };
  for (const std::string& bytes : inputs) {
    for (std::size_t chunk : {std::size_t{1}, std::size_t{5}, std::size_t{65536}}) {
      const std::vector<std::string> all = readAfterSkipping(bytes, chunk, 0);
      // Every count of skipped fields, up to one that runs into the failure.
      const int fieldCount = static_cast<int>(all.size()) - 1;
      for (int skipped = 1; skipped <= fieldCount + 1; ++skipped) {
        std::vector<std::string> expected(all.begin() + std::min(skipped, fieldCount), all.end());
        EXPECT_EQ(readAfterSkipping(bytes, chunk, skipped), expected)
            << bytes.substr(0, 60) << ", refills of " << chunk << ", " << skipped << " skipped";
      }
    }
  }
}

TEST(FieldReaderTest, ACutShortRecordFailsAtTheMissingField) {
  cw::testing::TempDrives drives;
  drives.write("C:\\cut.bmk",
               "\"Parks\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\","
               "\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\"\r\n"
               "\"Parks\",\"Riverside\",-122.5,37.25,-122,37.75\r\n");
  platform::FileSlots files(drives.fs());
  files.openForInput(1, "C:\\cut.bmk");
  Record group = readRecord(files, 1);
  EXPECT_TRUE(group[9].equals("ud2s88oew"));
  EXPECT_FALSE(endOfFile(files, 1));
  EXPECT_EQ(failureNumber([&] { readRecord(files, 1); }), err::kInputPastEndOfFile);
  EXPECT_TRUE(endOfFile(files, 1));
}

TEST(FieldReaderTest, TheFileNumbersKeepTheirPlaceBetweenReads) {
  cw::testing::TempDrives drives;
  drives.write("C:\\a.bmk", "a1,a2\r\n\r\na3,\r\n");
  drives.write("C:\\b.bmk", "b1\r\n");
  platform::FileSlots files(drives.fs());
  files.openForInput(1, "C:\\a.bmk");
  files.openForInput(2, "C:\\b.bmk");
  EXPECT_TRUE(readField(files, 1).equals("a1"));
  EXPECT_TRUE(readField(files, 2).equals("b1"));
  EXPECT_TRUE(readField(files, 1).equals("a2"));
  EXPECT_TRUE(endOfFile(files, 2));
  EXPECT_FALSE(endOfFile(files, 1));
  skipFields(files, 1, 1);
  EXPECT_FALSE(endOfFile(files, 1));  // the empty field after "a3,"
  EXPECT_TRUE(readField(files, 1).isEmpty());
  EXPECT_TRUE(endOfFile(files, 1));
}

}  // namespace
}  // namespace cw::store

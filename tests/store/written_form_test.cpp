// The rewrite copies a field as read when the file already holds it the way the writer writes
// it; these tests hold that shortcut to the writer's own output, byte for byte.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/failure.h"
#include "platform/file_slots.h"
#include "store/list_format.h"
#include "support/chunked_input.h"

namespace cw::store {
namespace {

TEST(WrittenNumberFormTest, TellsTheWriterFormFromEveryOtherSpelling) {
  struct Case {
    const char* text;
    bool written;
  } cases[] = {
      {"0", true},
      {"-0", false},
      {"0.0", false},
      {"1", true},
      {"-122.5", true},
      {"37.25", true},
      {"1.50", false},
      {"1.", false},
      {".5", false},
      {"0.5", true},
      {"00.5", false},
      {"+3", false},
      {"1500", true},
      {"1e3", false},
      {"1E+20", false},  // the writer's own exponent form
      {"1E-07", false},
      {"0.000001", true},
      {"0.0000001", false},  // written 1E-07
      {"0.000000123", false},
      {"123456789012345", true},
      {"100000000000000", true},
      {"1000000000000000", false},  // written 1E+15
      {"1234567890.12345", true},
      {"1234567890.123456", false},  // 16 digits: written rounded
      {"0.30000000000000004", false},
      {"0.123456789012345", true},
      {"-0.000001", true},
      {"", false},
      {"-", false},
      {"1-2", false},
      {"1.2.3", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(isWrittenNumberForm(c.text), c.written) << c.text;
    // Exponent forms are always left to the writer, even its own ones.
    double value = 0;
    if (std::string(c.text).find_first_of("Ee") == std::string::npos &&
        parseNumber(c.text, value)) {
      EXPECT_EQ(formatNumber(value) == c.text, c.written) << c.text;
    }
  }
}

// Every number the writer writes in plain notation is recognised, and nothing else is: decimal
// texts of every length and magnitude, drawn at random.
TEST(WrittenNumberFormTest, AgreesWithTheWriterOnRandomDecimals) {
  std::mt19937_64 engine(20261210);
  auto below = [&](std::uint64_t n) { return static_cast<int>(engine() % n); };
  for (int i = 0; i < 200000; ++i) {
    std::string text = below(2) ? "-" : "";
    const int integerDigits = below(18);
    const int fractionDigits = below(3) ? below(18) : 0;
    for (int d = 0; d < integerDigits; ++d) text += static_cast<char>('0' + below(10));
    if (integerDigits == 0) text += '0';
    if (fractionDigits > 0) {
      text += '.';
      // Runs of zeros, so small values and short fractions come up often.
      const int zeros = below(9);
      for (int d = 0; d < fractionDigits; ++d) {
        text += d < zeros ? '0' : static_cast<char>('0' + below(10));
      }
    }
    double value = 0;
    ASSERT_TRUE(parseNumber(text, value)) << text;
    ASSERT_EQ(isWrittenNumberForm(text), formatNumber(value) == text) << text;
  }
  for (int i = 0; i < 200000; ++i) {
    const double value =
        std::ldexp(static_cast<double>(engine() >> 11), below(140) - 100) * (below(2) ? -1 : 1);
    const std::string written = formatNumber(value);
    ASSERT_EQ(isWrittenNumberForm(written), written.find('E') == std::string::npos) << written;
  }
}

// The written form read beside each field, for a record whose fields were all in that form.
struct ReadBack {
  std::vector<std::string> lines;  // per record: the copied line, or the writer's when not
  std::vector<bool> copied;
};

ReadBack readWithWrittenForm(const std::string& bytes, std::size_t chunk) {
  platform::ByteReader input(std::make_unique<testing::ChunkedInput>(bytes, chunk));
  FieldReader reader(input);
  ReadBack back;
  while (!reader.atEnd()) {
    Record record;
    std::string line;
    bool asWritten = true;
    for (int i = 0; i < kFieldsPerRecord; ++i) {
      if (i) line += ',';
      record[i] = reader.next(line, asWritten);
    }
    back.lines.push_back(asWritten ? line + "\r\n" : formatRecord(record));
    back.copied.push_back(asWritten);
  }
  return back;
}

// The writer's output for the same file, field values read the ordinary way.
std::vector<std::string> rewrittenByTheWriter(const std::string& bytes) {
  platform::ByteReader input(std::make_unique<testing::ChunkedInput>(bytes, bytes.size() + 1));
  FieldReader reader(input);
  std::vector<std::string> lines;
  while (!reader.atEnd()) {
    Record record;
    for (Field& field : record) field = reader.next();
    lines.push_back(formatRecord(record));
  }
  return lines;
}

std::string everyByteButTheQuote() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    if (b != '"') bytes += static_cast<char>(b);
  }
  return bytes;
}

TEST(WrittenFormReadTest, CopiedLinesEqualTheWritersOnOddInput) {
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<bool> copied;
  } cases[] = {
      {"plain records",
       "\"A\",\"B\",-122.5,37.25,-122,37.75,,,,\r\n\"\",\"\",0,1,2,3,,,,\r\n",
       {true, true}},
      {"blanks around fields", " \"A\" ,\"B\",  1.5 ,2 ,3,4, ,,,\r\n", {true}},
      {"text after a closing quote", "\"A\"xyz,\"B\" q,1,2,3,4,,,,\r\n", {true}},
      {"blank lines between records", "\r\n  \r\n\"A\",\"B\",1,2,3,4,,,,\r\n\n\n", {true}},
      {"lone line ends and a record over two lines",
       "\"A\",\"B\",1,2,3,4,,,,\r\"A\",\"C\",1,2\n3,4,,,,\n",
       {true, true}},
      {"two records on one line",
       "\"A\",\"B\",1,2,3,4,,,,,\"A\",\"C\",1,2,3,4,,,,\r\n",
       {true, true}},
      {"no line end at the end", "\"A\",\"B\",1,2,3,4,,,,", {true}},
      {"exponent forms", "\"A\",\"B\",1E5,1e-7,1.5E+20,2.5e+15,,,,\r\n", {false}},
      {"numbers not in the written form", "\"A\",\"B\",.5,+3,-0,1.50,,,,\r\n", {false}},
      {"more digits than are written", "\"A\",\"B\",0.30000000000000004,1,2,3,,,,\r\n", {false}},
      {"unquoted text", "A,\"B\",1,2,3,4,,,,\r\n", {false}},
      {"code page letters", "\"Caf\xE9 \x80\x81\",\"\x9D\xFF\",1,2,3,4,,,,\r\n", {true}},
      {"every byte but the quote in a name",
       "\"" + everyByteButTheQuote() + "\",\"B\",1,2,3,4,,,,\r\n",
       {true}},
  };
  for (const Case& c : cases) {
    for (std::size_t chunk : {std::size_t{1}, std::size_t{3}, c.bytes.size() + 1}) {
      ReadBack back = readWithWrittenForm(c.bytes, chunk);
      EXPECT_EQ(back.lines, rewrittenByTheWriter(c.bytes)) << c.what << ", chunk " << chunk;
      EXPECT_EQ(back.copied, c.copied) << c.what << ", chunk " << chunk;
    }
  }
}

TEST(WrittenFormReadTest, FieldsLongerThanTheBufferAreCopiedWhole) {
  const std::string name(platform::ByteReader::kBufferSize + 100, 'n');
  const std::string digits = "1234567." + std::string(5, '1');
  std::string bytes = "\"" + name + "\",\"B\",1,2,3,4,,,,\r\n";
  // A number that straddles the first refill of the next file.
  std::string padded = "\"" + std::string(platform::ByteReader::kBufferSize - 8, 'p') +
                       "\",\"B\"," + digits + ",2,3,4,,,,\r\n";
  for (const std::string& list : {bytes, padded}) {
    ReadBack back = readWithWrittenForm(list, platform::ByteReader::kBufferSize);
    EXPECT_EQ(back.lines, rewrittenByTheWriter(list));
    EXPECT_EQ(back.copied, std::vector<bool>{true});
  }
}

}  // namespace
}  // namespace cw::store

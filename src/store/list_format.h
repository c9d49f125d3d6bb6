#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_slots.h"
#include "store/field.h"

namespace cw::store {

// Reserved values of a bookmark list.
inline constexpr std::string_view kFormatTag = "Bookmarks_v2.0";
inline constexpr std::string_view kGroupFiller = "ud2s88oew";
inline constexpr std::string_view kRemovalMarker = "ao74idqp3";
inline constexpr int kFieldsPerRecord = 10;

using Record = std::array<Field, kFieldsPerRecord>;

// Reads fields one after another from an open file (ANSI bytes on disk, UTF-8 values).
class FieldReader {
 public:
  explicit FieldReader(platform::ByteReader& bytes) : bytes_(bytes) {}
  // The next field, with the comma or line end that ends it; at the end of the file it fails
  // (input past end of file).
  Field next();
  // Like next(), and appends the field as the record writer writes it to `written` when the
  // file already holds it in that form (quoted text, an empty field, a number in written form);
  // otherwise `written` gets nothing and `asWritten` turns false.
  Field next(std::string& written, bool& asWritten);
  // Reads and discards `count` fields.
  void skip(int count);
  // True when nothing but blank lines is left to read.
  bool atEnd();

 private:
  Field read(std::string* written, bool* asWritten);
  bool skipInBuffer();
  void skipOne();
  platform::ByteReader& bytes_;
};

// The three operations on a file number that the routines use.
Field readField(platform::FileSlots& files, int number);
void skipFields(platform::FileSlots& files, int number, int count);
bool endOfFile(platform::FileSlots& files, int number);
Record readRecord(platform::FileSlots& files, int number);
void writeRecord(platform::FileSlots& files, int number, std::span<const Field> fields);

// One written line: fields joined by ",", CR LF at the end, ANSI bytes.
std::string formatRecord(std::span<const Field> fields);
// The same line appended to `line`, for writers of many records.
void appendRecord(std::string& line, std::span<const Field> fields);
// A number as written: at most 15 significant digits, "." as separator, shortest form.
std::string formatNumber(double value);
// The same into `out`, which has room for kLongestNumber characters; returns the end.
inline constexpr std::size_t kLongestNumber = 32;
char* formatNumberInto(char* out, double value);
// The shortest text of a value below 1E+09 that a decimal of at most four places gives back (the
// usual map coordinate: 400000.5, -0.0625) into `out`, returning its end; nullptr for any other.
char* formatShortDecimal(char* out, double value);
// True when the text is a number exactly as formatNumber writes its value.
bool isWrittenNumberForm(std::string_view text);
// Whether an unquoted field's text is a number, and its value.
bool parseNumber(std::string_view text, double& value);

Record headerRecord();
Record groupRecord(const std::string& group);
Record bookmarkRecord(const std::string& group, const std::string& name, double xMin, double yMin,
                      double xMax, double yMax);
// appendRecord(line, bookmarkRecord(...)) without the record in between, for writers of many.
void appendBookmarkRecord(std::string& line, std::string_view group, std::string_view name,
                          double xMin, double yMin, double xMax, double yMax);

}  // namespace cw::store

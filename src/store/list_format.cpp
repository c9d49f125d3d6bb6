#include "store/list_format.h"

#include <array>
#include <cstring>

#include "base/failure.h"
#include "store/ansi.h"

namespace cw::store {

namespace {

bool isBlank(int c) {
  return c == ' ' || c == '\t';
}

// Bytes that end an unquoted field, or what follows a quoted one.
constexpr std::array<bool, 256> kFieldEnds = [] {
  std::array<bool, 256> ends{};
  ends[','] = ends['\r'] = ends['\n'] = true;
  return ends;
}();

std::size_t findFieldEnd(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (kFieldEnds[static_cast<unsigned char>(bytes[i])]) return i;
  }
  return std::string_view::npos;
}

[[noreturn]] void failPastEnd(std::string_view what) {
  throw Failure(err::kInputPastEndOfFile, "Input past end of file: " + std::string(what));
}

void skipBlanks(platform::ByteReader& bytes) {
  if (!isBlank(bytes.peek())) return;  // most fields start at once
  for (std::string_view buffered = bytes.buffered(); !buffered.empty();
       buffered = bytes.buffered()) {
    std::size_t i = 0;
    while (i < buffered.size() && isBlank(buffered[i])) ++i;
    bytes.advance(i);
    if (i < buffered.size()) return;
  }
}

// Consumes the comma or line end that ends a field (CR LF counts once) and notes whether the
// next field begins a line.
void consumeFieldEnd(platform::ByteReader& bytes) {
  int end = bytes.get();
  if (end == '\r' && bytes.peek() == '\n') bytes.get();
  bytes.setAtLineStart(end != ',');
}

// Skips blank lines (blanks only) at the start of a line; false when nothing else is left.
bool skipBlankLines(platform::ByteReader& bytes) {
  for (;;) {
    skipBlanks(bytes);
    int c = bytes.peek();
    if (c < 0) return false;
    if (c != '\r' && c != '\n') return true;
    bytes.get();
    if (c == '\r' && bytes.peek() == '\n') bytes.get();
  }
}

// The rest of a quoted field that runs past the buffer, up to its closing quote, as on disk.
std::string readQuotedRest(platform::ByteReader& bytes) {
  std::string raw;
  for (;;) {
    std::string_view buffered = bytes.buffered();
    if (buffered.empty()) failPastEnd("a quoted field has no closing quote");
    std::size_t quote = buffered.find('"');
    if (quote != std::string_view::npos) {
      raw.append(buffered.substr(0, quote));
      bytes.advance(quote + 1);
      return raw;
    }
    raw.append(buffered);
    bytes.advance(buffered.size());
  }
}

// Text is converted on every read, so the text written back is the text on disk: every byte of
// the code page survives the trip to UTF-8 and back.
void appendQuoted(std::string* written, std::string_view ansi) {
  if (!written) return;
  written->push_back('"');
  written->append(ansi);
  written->push_back('"');
}

Field unquotedField(std::string_view text, std::string* written, bool* asWritten) {
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  if (text.empty()) return Field();
  double value = 0;
  if (parseNumber(text, value)) {
    if (written && *asWritten) {
      if (isWrittenNumberForm(text)) {
        written->append(text);
      } else {
        *asWritten = false;
      }
    }
    return Field::number(value);
  }
  if (written) *asWritten = false;  // written back quoted, if it can be
  return Field::text(ansiToUtf8(text));
}

}  // namespace

Field FieldReader::next() {
  return read(nullptr, nullptr);
}

Field FieldReader::next(std::string& written, bool& asWritten) {
  return read(asWritten ? &written : nullptr, &asWritten);
}

Field FieldReader::read(std::string* written, bool* asWritten) {
  if (bytes_.atLineStart()) {
    if (!skipBlankLines(bytes_)) failPastEnd("no field is left to read");
  } else {
    skipBlanks(bytes_);
  }

  if (bytes_.peek() == '"') {
    bytes_.advance(1);
    std::string text;
    std::string_view first = bytes_.buffered();
    if (std::size_t quote = first.find('"'); quote != std::string_view::npos) {
      // The usual case: all of it is buffered.
      appendQuoted(written, first.substr(0, quote));
      text = ansiToUtf8(first.substr(0, quote));
      bytes_.advance(quote + 1);
    } else {
      std::string raw = readQuotedRest(bytes_);
      appendQuoted(written, raw);
      text = ansiToUtf8(raw);
    }
    // Whatever follows the closing quote up to the field's end is no part of it.
    for (std::string_view buffered = bytes_.buffered(); !buffered.empty();
         buffered = bytes_.buffered()) {
      std::size_t end = findFieldEnd(buffered);
      if (end != std::string_view::npos) {
        bytes_.advance(end);
        break;
      }
      bytes_.advance(buffered.size());
    }
    consumeFieldEnd(bytes_);
    return Field::text(std::move(text));
  }

  // Most fields end inside the buffer and are taken from it without a copy.
  std::string_view buffered = bytes_.buffered();
  std::size_t end = findFieldEnd(buffered);
  if (end != std::string_view::npos) {
    Field field = unquotedField(buffered.substr(0, end), written, asWritten);
    bytes_.advance(end);
    consumeFieldEnd(bytes_);
    return field;
  }
  std::string raw;
  while (!buffered.empty()) {
    end = findFieldEnd(buffered);
    if (end != std::string_view::npos) {
      raw.append(buffered.substr(0, end));
      bytes_.advance(end);
      break;
    }
    raw.append(buffered);
    bytes_.advance(buffered.size());
    buffered = bytes_.buffered();
  }
  consumeFieldEnd(bytes_);
  return unquotedField(raw, written, asWritten);
}

void FieldReader::skip(int count) {
  for (int i = 0; i < count; ++i) {
    if (!skipInBuffer()) skipOne();
  }
}

// The usual skipped field: it starts at once, and it and the comma or line end after it lie in
// the buffer. False, with nothing consumed, for anything else.
bool FieldReader::skipInBuffer() {
  const std::string_view buffered = bytes_.buffered();
  if (buffered.empty()) return false;
  const char first = buffered.front();
  std::size_t end = 0;
  if (first == '"') {
    const void* quote = std::memchr(buffered.data() + 1, '"', buffered.size() - 1);
    if (!quote) return false;
    end = static_cast<std::size_t>(static_cast<const char*>(quote) - buffered.data()) + 1;
    if (end >= buffered.size() || !kFieldEnds[static_cast<unsigned char>(buffered[end])]) {
      return false;  // text after the closing quote
    }
  } else if (kFieldEnds[static_cast<unsigned char>(first)]) {
    if (first != ',' && bytes_.atLineStart()) return false;  // a blank line
  } else if (isBlank(first)) {
    return false;
  } else {
    // Only a number with an exponent or of hundreds of digits can be too large to hold: those
    // are read in full.
    constexpr std::size_t kLongestSafeNumber = 300;
    bool exponent = false;
    for (end = 1; end < buffered.size() && !kFieldEnds[static_cast<unsigned char>(buffered[end])];
         ++end) {
      exponent = exponent || buffered[end] == 'E' || buffered[end] == 'e';
    }
    if (end >= buffered.size() || exponent || end > kLongestSafeNumber) return false;
  }
  const char fieldEnd = buffered[end];
  std::size_t next = end + 1;
  if (fieldEnd == '\r') {
    if (next >= buffered.size()) return false;  // an LF may follow in the next buffer
    if (buffered[next] == '\n') ++next;
  }
  bytes_.advance(next);
  bytes_.setAtLineStart(fieldEnd != ',');
  return true;
}

// Passes over a field the way next() reads it, failing where it would fail, without making
// its value: text is not converted, and a number is only parsed when it could be too large.
void FieldReader::skipOne() {
  if (bytes_.atLineStart()) {
    if (!skipBlankLines(bytes_)) failPastEnd("no field is left to read");
  } else {
    skipBlanks(bytes_);
  }
  std::string_view buffered = bytes_.buffered();
  std::size_t end = std::string_view::npos;
  if (!buffered.empty() && buffered.front() == '"') {
    std::size_t quote = buffered.find('"', 1);
    if (quote != std::string_view::npos) end = findFieldEnd(buffered.substr(quote + 1));
    if (end != std::string_view::npos) end += quote + 1;
  } else {
    // Only a number with an exponent or of hundreds of digits can be too large to hold.
    constexpr std::size_t kLongestSafeNumber = 300;
    bool exponent = false;
    for (std::size_t i = 0; i < buffered.size(); ++i) {
      const char c = buffered[i];
      if (kFieldEnds[static_cast<unsigned char>(c)]) {
        end = i;
        break;
      }
      exponent = exponent || c == 'E' || c == 'e';
    }
    if (end != std::string_view::npos && (exponent || end > kLongestSafeNumber)) {
      unquotedField(buffered.substr(0, end), nullptr, nullptr);
    }
  }
  if (end == std::string_view::npos) {
    read(nullptr, nullptr);  // runs past the buffer: rare enough to read it in full
    return;
  }
  bytes_.advance(end);
  consumeFieldEnd(bytes_);
}

bool FieldReader::atEnd() {
  // After a comma a field always follows, even an empty one at the very end.
  if (!bytes_.atLineStart()) return false;
  return !skipBlankLines(bytes_);
}

Field readField(platform::FileSlots& files, int number) {
  return FieldReader(files.reader(number)).next();
}

void skipFields(platform::FileSlots& files, int number, int count) {
  FieldReader(files.reader(number)).skip(count);
}

bool endOfFile(platform::FileSlots& files, int number) {
  return FieldReader(files.reader(number)).atEnd();
}

Record readRecord(platform::FileSlots& files, int number) {
  FieldReader reader(files.reader(number));
  Record record;
  for (auto& field : record) field = reader.next();
  return record;
}

void writeRecord(platform::FileSlots& files, int number, std::span<const Field> fields) {
  platform::OutputStream& out = files.writer(number);
  // The whole line is formatted first, so a field that cannot be written leaves the file as it
  // was.
  out.write(formatRecord(fields));
}

std::string formatRecord(std::span<const Field> fields) {
  std::string line;
  appendRecord(line, fields);
  return line;
}

namespace {

void appendTextField(std::string& line, std::string_view text) {
  // There is no escape for a quote: it would end the field early and shift every later field of
  // the file.
  if (text.find('"') != std::string_view::npos) {
    throw Failure(err::kInvalidProcedureCall,
                  "Invalid procedure call or argument: a text field cannot hold a double "
                  "quote (" +
                      std::string(text) + ")");
  }
  line += '"';
  appendAsAnsi(line, text);
  line += '"';
}

void appendNumberField(std::string& line, double value) {
  char number[kLongestNumber];
  line.append(number, formatNumberInto(number, value));
}

}  // namespace

void appendRecord(std::string& line, std::span<const Field> fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) line += ',';
    const Field& field = fields[i];
    if (field.isText()) {
      appendTextField(line, field.textValue());
    } else if (field.isNumber()) {
      appendNumberField(line, field.numberValue());
    }
  }
  line += "\r\n";
}

void appendBookmarkRecord(std::string& line, std::string_view group, std::string_view name,
                          double xMin, double yMin, double xMax, double yMax) {
  // A field that cannot be written leaves the line as it was.
  const std::size_t before = line.size();
  try {
    appendTextField(line, group);
    line += ',';
    appendTextField(line, name);
    for (double value : {xMin, yMin, xMax, yMax}) {
      line += ',';
      appendNumberField(line, value);
    }
  } catch (...) {
    line.resize(before);
    throw;
  }
  line += ",,,,\r\n";
}

Record headerRecord() {
  Record record;
  record.fill(Field::text(std::string(kFormatTag)));
  return record;
}

Record groupRecord(const std::string& group) {
  Record record;
  record.fill(Field::text(std::string(kGroupFiller)));
  record[0] = Field::text(group);
  return record;
}

Record bookmarkRecord(const std::string& group, const std::string& name, double xMin, double yMin,
                      double xMax, double yMax) {
  return {Field::text(group),
          Field::text(name),
          Field::number(xMin),
          Field::number(yMin),
          Field::number(xMax),
          Field::number(yMax),
          Field(),
          Field(),
          Field(),
          Field()};
}

}  // namespace cw::store

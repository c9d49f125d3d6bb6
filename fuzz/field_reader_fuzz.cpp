// The field reader over arbitrary bytes. The first byte chooses how many bytes the file hands
// out per read, so field ends, quotes and CR LF pairs fall on buffer boundaries; the rest is the
// file. Checked: every way of reading (whole buffer or small pieces, reading or skipping, with
// or without the written form) sees the same fields and fails at the same place; every record
// written back as a rewrite writes it reads back as the same record.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "fuzz_support.h"
#include "platform/file_slots.h"
#include "store/list_format.h"
#include "support/chunked_input.h"

namespace {

using cw::store::Field;
using cw::store::FieldReader;

cw::platform::ByteReader readerOver(std::string_view bytes, std::size_t piece) {
  return cw::platform::ByteReader(
      std::make_unique<cw::testing::ChunkedInput>(std::string(bytes), piece));
}

// All fields up to the end; `failure` holds the error number when a read failed before.
struct Reading {
  std::vector<Field> fields;
  std::optional<int> failure;
};

Reading readAll(std::string_view bytes, std::size_t piece) {
  Reading reading;
  cw::platform::ByteReader byteReader = readerOver(bytes, piece);
  FieldReader reader(byteReader);
  try {
    // Each field consumes at least its end, so there are never more fields than bytes + 1.
    while (!reader.atEnd()) {
      cw::fuzz::check(reading.fields.size() <= bytes.size() + 1, "the reader makes no progress");
      reading.fields.push_back(reader.next());
    }
  } catch (const cw::Failure& failure) {
    reading.failure = failure.number();
  }
  return reading;
}

std::string describe(const Field& field) {
  if (field.isEmpty()) return "<empty>";
  if (field.isNumber()) return "<number " + cw::store::formatNumber(field.numberValue()) + ">";
  std::string text;
  for (unsigned char c : field.textValue()) {
    if (c >= 32 && c < 127) {
      text += static_cast<char>(c);
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      text += {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
    }
  }
  return "<text \"" + text + "\">";
}

void checkSameReading(const Reading& expected, const Reading& actual, std::string_view how) {
  cw::fuzz::check(expected.fields.size() == actual.fields.size(), "field count differs", how);
  for (std::size_t i = 0; i < expected.fields.size(); ++i) {
    if (!(expected.fields[i] == actual.fields[i])) {
      cw::fuzz::fail("field differs", std::string(how) + ": " + describe(expected.fields[i]) +
                                          " / " + describe(actual.fields[i]));
    }
  }
  cw::fuzz::check(expected.failure == actual.failure, "failure differs", how);
}

// Skips `step` fields, reads one, and so on: the fields read are those at the same places.
void checkSkipping(std::string_view bytes, std::size_t piece, int step, const Reading& expected) {
  cw::platform::ByteReader byteReader = readerOver(bytes, piece);
  FieldReader reader(byteReader);
  std::size_t index = 0;
  for (;;) {
    bool atEnd = false;
    try {
      atEnd = reader.atEnd();
    } catch (const cw::Failure&) {
      cw::fuzz::fail("the end-of-file test failed");
    }
    if (atEnd) {
      cw::fuzz::check(index >= expected.fields.size() && !expected.failure, "skipping ends early");
      return;
    }
    try {
      reader.skip(step);
    } catch (const cw::Failure& failure) {
      // Fewer fields are left than skipped: past the end, or where reading failed.
      cw::fuzz::check(index + step > expected.fields.size(),
                      "skipping fails where reading does not");
      cw::fuzz::check(failure.number() == expected.failure.value_or(cw::err::kInputPastEndOfFile),
                      "skipping fails differently");
      return;
    }
    cw::fuzz::check(index + step <= expected.fields.size(), "skipping passes where reading fails");
    index += step;
    if (index == expected.fields.size()) {
      // Reading fails here, or the file ends: both ways agree.
      if (!expected.failure) continue;
      try {
        reader.next();
      } catch (const cw::Failure&) {
        return;
      }
      cw::fuzz::fail("a read after skipping passes where reading fails");
    }
    Field field;
    try {
      field = reader.next();
    } catch (const cw::Failure&) {
      cw::fuzz::fail("a read after skipping fails where reading does not");
    }
    if (!(field == expected.fields[index])) {
      cw::fuzz::fail("a read after skipping differs",
                     describe(expected.fields[index]) + " / " + describe(field));
    }
    ++index;
  }
}

Field readOne(std::string_view line) {
  cw::platform::ByteReader byteReader = readerOver(line, line.size() + 1);
  return FieldReader(byteReader).next();
}

// A written value reads back as the same value; a number as one that writes the same way.
bool readsBackAs(const Field& original, const Field& reread) {
  if (original.isNumber() && reread.isNumber()) {
    return cw::store::formatNumber(original.numberValue()) ==
           cw::store::formatNumber(reread.numberValue());
  }
  return original == reread;
}

// Each complete record, written back the way a list rewrite writes it (the bytes as read when
// they are already in written form, otherwise formatted again), reads back as the same record.
void checkRewrite(std::string_view bytes, std::size_t piece) {
  cw::platform::ByteReader byteReader = readerOver(bytes, piece);
  FieldReader reader(byteReader);
  try {
    while (!reader.atEnd()) {
      std::string line;
      bool asWritten = true;
      cw::store::Record record;
      for (int i = 0; i < cw::store::kFieldsPerRecord; ++i) {
        if (i) line += ',';
        record[i] = reader.next(line, asWritten);
      }
      if (!asWritten) {
        try {
          line = cw::store::formatRecord(record);
        } catch (const cw::Failure&) {
          continue;  // a text holding a quote cannot be written: the rewrite fails, nothing lost
        }
      } else {
        line += "\r\n";
      }
      cw::platform::ByteReader lineBytes = readerOver(line, line.size() + 1);
      FieldReader lineReader(lineBytes);
      for (int i = 0; i < cw::store::kFieldsPerRecord; ++i) {
        Field reread = lineReader.next();
        if (!readsBackAs(record[i], reread)) {
          cw::fuzz::fail("a rewritten record reads back differently",
                         line + describe(record[i]) + " / " + describe(reread));
        }
      }
      cw::fuzz::check(lineReader.atEnd(), "a rewritten record holds more than ten fields", line);
    }
  } catch (const cw::Failure&) {
    // The record is cut short: a rewrite fails before it replaces the list.
  }
}

// Every value the writer can write reads back as itself.
void checkWrittenFields(const Reading& reading) {
  for (const Field& field : reading.fields) {
    std::string line;
    try {
      // A second field after it: an empty field alone would be a blank line.
      line = cw::store::formatRecord(std::vector<Field>{field, Field()});
    } catch (const cw::Failure&) {
      cw::fuzz::check(field.isText() && field.textValue().find('"') != std::string::npos,
                      "a field without a quote cannot be written", describe(field));
      continue;
    }
    Field reread = readOne(line);
    if (!readsBackAs(field, reread)) {
      cw::fuzz::fail("a written field reads back differently",
                     line + describe(field) + " / " + describe(reread));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 4096) return 0;
  const std::size_t piece = 1 + data[0] % 17;
  const int step = 1 + data[0] / 17 % 10;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  const Reading whole = readAll(bytes, bytes.size() + 1);
  if (whole.failure) {
    // Past the end, or a number too large to hold.
    cw::fuzz::check(
        *whole.failure == cw::err::kInputPastEndOfFile || *whole.failure == cw::err::kOverflow,
        "a read fails otherwise", std::to_string(*whole.failure));
  } else {
    // After the end-of-file test turned true, a read fails.
    cw::platform::ByteReader byteReader = readerOver(bytes, bytes.size() + 1);
    FieldReader reader(byteReader);
    for (std::size_t i = 0; i < whole.fields.size(); ++i) reader.next();
    cw::fuzz::check(reader.atEnd(), "the end moves");
    try {
      reader.next();
      cw::fuzz::fail("a read past the end passes");
    } catch (const cw::Failure& failure) {
      cw::fuzz::check(failure.number() == cw::err::kInputPastEndOfFile, "wrong past-end failure");
    }
  }

  checkSameReading(whole, readAll(bytes, piece), "read in pieces");
  checkSkipping(bytes, piece, step, whole);
  checkRewrite(bytes, piece);
  checkWrittenFields(whole);
  return 0;
}

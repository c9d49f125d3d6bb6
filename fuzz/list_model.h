#pragma once

// The plain reading of a list that the window's optimised readers must agree with: every field
// taken in order, records of ten, and the groups, bookmarks and zoom targets worked out the
// simple way, record by record.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "platform/file_slots.h"
#include "store/list_format.h"
#include "ui/controls/list_box.h"

namespace cw::fuzz {

// An in-memory file for the field reader.
class BytesStream : public platform::InputStream {
 public:
  explicit BytesStream(std::string_view bytes) : bytes_(bytes) {}
  std::size_t read(char* buffer, std::size_t size) override {
    std::size_t count = std::min(size, bytes_.size() - pos_);
    std::copy_n(bytes_.data() + pos_, count, buffer);
    pos_ += count;
    return count;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

struct ListModel {
  std::vector<store::Record> records;
  bool wellFormed = true;  // every field readable and whole records only

  explicit ListModel(std::string_view bytes) {
    platform::ByteReader byteReader(std::make_unique<BytesStream>(bytes));
    store::FieldReader reader(byteReader);
    try {
      while (!reader.atEnd()) {
        store::Record record;
        for (auto& field : record) field = reader.next();
        records.push_back(std::move(record));
      }
    } catch (const Failure&) {
      wellFormed = false;
    }
  }

  static bool isHeader(const store::Record& r) { return r[0].equals(store::kFormatTag); }

  // A working slot that was never set equals the empty text and the number 0.
  static bool equalsUnset(const store::Field& f) {
    return f.isEmpty() || (f.isText() && f.textValue().empty()) ||
           (f.isNumber() && f.numberValue() == 0);
  }

  // Two field values compared as the readers compare them: text never equals a number, and an
  // empty field is the empty text.
  static bool same(const store::Field& a, const store::Field& b) {
    if (a.isNumber() || b.isNumber()) {
      return a.isNumber() && b.isNumber() && a.numberValue() == b.numberValue();
    }
    return a.textValue() == b.textValue();
  }

  // The group list in the order the sorted list box shows it.
  std::vector<std::string> groups() const {
    std::vector<store::Field> withdrawn;
    for (const auto& r : records) {
      if (!isHeader(r) && r[1].equals(store::kRemovalMarker)) withdrawn.push_back(r[0]);
    }
    std::vector<store::Field> listed;
    for (const auto& r : records) {
      if (isHeader(r) || equalsUnset(r[0])) continue;
      auto matches = [&](const store::Field& f) { return same(f, r[0]); };
      if (std::any_of(withdrawn.begin(), withdrawn.end(), matches)) continue;
      if (std::any_of(listed.begin(), listed.end(), matches)) continue;
      listed.push_back(r[0]);
    }
    std::vector<std::string> names;
    for (const auto& f : listed) names.push_back(f.asText());
    return sortedAsShown(std::move(names));
  }

  // Room for withheld pairs: the record count plus six entries, two per pair.
  std::size_t withheldPairs() const {
    std::size_t pairs = 0;
    for (const auto& r : records) pairs += isWithheldPair(r) ? 1 : 0;
    return pairs;
  }
  bool withheldPairsFit() const { return withheldPairs() <= (records.size() + 6) / 2; }

  // The bookmark list of a group, as the sorted list box shows it.
  std::vector<std::string> bookmarks(const std::string& group) const {
    std::vector<std::string> names;
    for (const auto& r : records) {
      if (isHeader(r) || !r[0].equals(group) || isReserved(r[1])) continue;
      bool withheld = std::any_of(records.begin(), records.end(), [&](const store::Record& p) {
        return isWithheldPair(p) && same(p[0], r[0]) && same(p[1], r[1]);
      });
      if (!withheld) names.push_back(r[1].asText());
    }
    return sortedAsShown(std::move(names));
  }

  // The record a zoom to this group and name uses; none when the search runs off the end.
  const store::Record* zoomTarget(const std::string& group, const std::string& name) const {
    for (const auto& r : records) {
      if (!isHeader(r) && r[0].equals(group) && r[1].equals(name)) return &r;
    }
    return nullptr;
  }

 private:
  static bool isReserved(const store::Field& f) {
    return f.equals(store::kRemovalMarker) || f.equals(store::kGroupFiller);
  }
  static bool isWithheldPair(const store::Record& r) {
    return !isHeader(r) && !isReserved(r[1]) && r[2].equals(store::kRemovalMarker);
  }
  static std::vector<std::string> sortedAsShown(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), ui::lessIgnoringCase);
    return names;
  }
};

}  // namespace cw::fuzz

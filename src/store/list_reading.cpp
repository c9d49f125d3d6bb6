#include "store/list_reading.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "base/failure.h"
#include "platform/file_slots.h"
#include "store/list_format.h"

namespace cw::store {

namespace {

// Field values compared as the list's readers compare them: a text never equals a number, and
// an empty field equals both the empty text and the number 0 (which differ from each other).
class FieldValueSet {
 public:
  void insert(const Field& value) {
    if (value.isEmpty()) {
      hasEmpty_ = true;
    } else if (value.isNumber()) {
      numbers_.insert(value.numberValue());
    } else {
      texts_.insert(value.textValue());
    }
  }
  bool empty() const { return !hasEmpty_ && numbers_.empty() && texts_.empty(); }
  // True when some value of the set equals this one.
  bool holdsEqual(const Field& value) const {
    if (value.isEmpty()) return hasEmpty_ || texts_.count("") > 0 || numbers_.count(0.0) > 0;
    if (value.isNumber()) {
      return numbers_.count(value.numberValue()) > 0 || (hasEmpty_ && value.numberValue() == 0.0);
    }
    return texts_.count(value.textValue()) > 0 || (hasEmpty_ && value.textValue().empty());
  }

 private:
  std::unordered_set<std::string> texts_;
  std::unordered_set<double> numbers_;
  bool hasEmpty_ = false;
};

bool isReservedName(const Field& name) {
  return name.equals(kRemovalMarker) || name.equals(kGroupFiller);
}

struct Candidate {
  Field name;
  bool emptyGroupField;  // field 1 was an empty field (only possible for the group "")
};

}  // namespace

bool IsEmptyList(platform::FileSlots& files, int number, const std::string& path) {
  files.openForInput(number, path);
  bool empty = endOfFile(files, number);
  files.close(number);
  return empty;
}

void AppendHeaderRecord(platform::FileSlots& files, int number) {
  // A header cut short would make the list unreadable.
  platform::AppendTransaction append(files, number);
  writeRecord(files, number, headerRecord());
  append.commit();
}

std::string ReadLastField(platform::FileSlots& files, int number, const std::string& path) {
  files.openForInput(number, path);
  std::string last;
  while (!endOfFile(files, number)) last = readField(files, number).asText();
  files.close(number);
  return last;
}

// One read does it: the withheld names of the group are gathered beside the candidates and
// applied once the whole list has been read.
BookmarkListing ReadBookmarkListing(platform::FileSlots& files, int number, const std::string& path,
                                    const std::string& group) {
  files.close(number);
  files.openForInput(number, path);
  BookmarkListing listing;
  // Withheld names of the group. A removal whose field 1 is the number 0 withholds from the
  // group "" only the records whose field 1 is an empty field.
  FieldValueSet withheld;
  FieldValueSet withheldFromEmptyField;
  std::vector<Candidate> candidates;
  while (!endOfFile(files, number)) {
    Field first = readField(files, number);
    Field second = readField(files, number);
    Field third = readField(files, number);
    skipFields(files, number, kFieldsPerRecord - 3);
    ++listing.records;
    if (first.equals(kFormatTag) || isReservedName(second)) continue;
    if (third.equals(kRemovalMarker)) {
      ++listing.withheldPairs;
      if (first.equals(group)) {
        withheld.insert(second);
      } else if (group.empty() && first.isNumber() && first.numberValue() == 0.0) {
        withheldFromEmptyField.insert(second);
      }
    }
    if (first.equals(group)) candidates.push_back({std::move(second), first.isEmpty()});
  }
  files.close(number);

  const bool anyWithheld = !withheld.empty() || !withheldFromEmptyField.empty();
  for (const Candidate& candidate : candidates) {
    if (anyWithheld &&
        (withheld.holdsEqual(candidate.name) ||
         (candidate.emptyGroupField && withheldFromEmptyField.holdsEqual(candidate.name)))) {
      continue;
    }
    listing.names.push_back(candidate.name.asText());
  }
  return listing;
}

namespace {

// A record's extent as a zoom would read it, or the field that would stop it.
ListedBookmark listedExtent(const std::array<Field, 4>& fields, std::int64_t record) {
  ListedBookmark listed;
  listed.record = record;
  double* const values[] = {&listed.extent.XMin, &listed.extent.YMin, &listed.extent.XMax,
                            &listed.extent.YMax};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const Field& field = fields[i];
    if (!field.isText()) {
      *values[i] = field.numberValue();  // 0 for an empty field
      continue;
    }
    // A removal record's marker is the usual text here: known to be none without a try.
    bool number = !field.equals(kRemovalMarker);
    try {
      if (number) *values[i] = field.asNumber();
    } catch (const Failure&) {
      number = false;
    }
    if (!number) {
      listed.extentIsNumbers = false;
      listed.notANumber = field.textValue();
      break;
    }
  }
  return listed;
}

}  // namespace

// The same rules as the group list and the group listing, for every group in one read: records
// are gathered by the text of field 1 (a number there never equals a group's name, and the
// group "" is never listed), and each group's withheld names are applied at the end.
ListContents ReadListContents(platform::ByteReader& bytes) {
  struct GroupRecords {
    std::vector<ListedBookmark> candidates;
    std::vector<Field> candidateNames;
    FieldValueSet withheld;
  };
  FieldReader reader(bytes);
  ListContents contents;
  GroupNames groups;
  std::unordered_map<std::string, GroupRecords> byGroup;
  // A list keeps a group's records together, so most records name the group of the one before:
  // what the sets and the table already hold of it is not looked up again.
  Field lastFirst;
  GroupRecords* lastRecords = nullptr;
  while (!reader.atEnd()) {
    Field first = reader.next();
    Field second = reader.next();
    std::array<Field, 4> extent;
    for (Field& field : extent) field = reader.next();
    reader.skip(kFieldsPerRecord - 6);
    ++contents.records;
    if (first.equals(kFormatTag)) continue;
    const bool textGroup = !first.isNumber();
    const bool sameAsLast = lastRecords && first == lastFirst;
    if (!sameAsLast) {
      if (first.isText()) contents.recordGroups.insert(first.textValue());
      lastRecords = nullptr;
      lastFirst = first;
    }
    if (!sameAsLast || second.equals(kRemovalMarker)) groups.addRecord(first, second);
    if (!textGroup || isReservedName(second)) continue;
    if (!lastRecords) lastRecords = &byGroup[first.asText()];
    GroupRecords& records = *lastRecords;
    if (extent[0].equals(kRemovalMarker)) records.withheld.insert(second);
    records.candidates.push_back(listedExtent(extent, contents.records));
    records.candidateNames.push_back(std::move(second));
  }
  for (std::string& name : groups.names()) {
    ListedGroup listed{std::move(name), {}};
    if (auto found = byGroup.find(listed.name); found != byGroup.end()) {
      GroupRecords& records = found->second;
      for (std::size_t i = 0; i < records.candidates.size(); ++i) {
        records.candidates[i].name = records.candidateNames[i].asText();
      }
      if (records.withheld.empty()) {
        listed.bookmarks = std::move(records.candidates);  // the usual list: nothing withheld
      } else {
        for (std::size_t i = 0; i < records.candidates.size(); ++i) {
          if (records.withheld.holdsEqual(records.candidateNames[i])) continue;
          listed.bookmarks.push_back(std::move(records.candidates[i]));
        }
      }
      std::vector<Field>().swap(records.candidateNames);
    }
    contents.groups.push_back(std::move(listed));
  }
  return contents;
}

void SeekBookmarkRecord(platform::FileSlots& files, int number, const std::string& group,
                        const std::string& bookmark) {
  for (;;) {
    Field first = readField(files, number);
    if (first.equals(kFormatTag) || !first.equals(group)) {
      skipFields(files, number, kFieldsPerRecord - 1);
      continue;
    }
    Field name = readField(files, number);
    if (!name.equals(bookmark)) {
      skipFields(files, number, kFieldsPerRecord - 2);
      continue;
    }
    return;
  }
}

host::Envelope ReadExtentFields(platform::FileSlots& files, int number) {
  host::Envelope extent;
  extent.XMin = readField(files, number).asNumber();
  extent.YMin = readField(files, number).asNumber();
  extent.XMax = readField(files, number).asNumber();
  extent.YMax = readField(files, number).asNumber();
  return extent;
}

bool ReadLayerRecord(platform::FileSlots& files, int number, LayerRecord& record) {
  if (endOfFile(files, number)) return false;
  readField(files, number);  // the bookmark name, not compared
  record.frame = readField(files, number).asText();
  record.layer = readField(files, number).asText();
  record.visible = readField(files, number).asText() == "True";
  return true;
}

// The same read gathers the groups of what looks like a list, so a valid one needs no second
// read to be shown.
ListCandidate ScanListCandidate(platform::FileSlots& files, int number, const std::string& path) {
  files.openForInput(number, path);
  ListCandidate candidate;
  bool looksLikeList = false;
  Field recordFirst;
  while (!endOfFile(files, number)) {
    Field field = readField(files, number);
    const auto place = candidate.fieldCount % kFieldsPerRecord;
    if (candidate.fieldCount == 0) looksLikeList = field.equals(kFormatTag);
    if (looksLikeList) {
      if (place == 0) {
        recordFirst = std::move(field);
      } else if (place == 1 && !recordFirst.equals(kFormatTag)) {
        candidate.groups.addRecord(std::move(recordFirst), field);
      }
    }
    ++candidate.fieldCount;
  }
  files.close(number);
  return candidate;
}

Field OpenAtFirstField(platform::FileSlots& files, int number, const std::string& path,
                       bool hasFields) {
  files.openForInput(number, path);
  Field first;
  if (hasFields) first = readField(files, number);
  return first;
}

}  // namespace cw::store

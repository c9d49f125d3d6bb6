#include "convert/list_io.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "base/failure.h"
#include "convert/extent_check.h"
#include "platform/file_slots.h"
#include "store/imported_names.h"
#include "store/list_format.h"
#include "store/list_reading.h"

namespace cw::convert {

namespace {

class BytesInput : public platform::InputStream {
 public:
  explicit BytesInput(std::string_view bytes) : bytes_(bytes) {}
  std::size_t read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, bytes_.size());
    std::memcpy(buffer, bytes_.data(), count);
    bytes_.remove_prefix(count);
    return count;
  }

 private:
  std::string_view bytes_;
};

std::string recordPlace(std::int64_t record) {
  return "record " + std::to_string(record);
}

bool startsWithHeader(std::string_view bytes) {
  // A list written by the system begins with its header; anything else is another kind of file.
  std::size_t at = 0;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);  // the reader skips it too
  while (at < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
  bytes.remove_prefix(at);
  const std::string quoted = "\"" + std::string(store::kFormatTag) + "\"";
  return bytes.starts_with(quoted) || bytes.starts_with(store::kFormatTag);
}

bool isBlankText(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

store::ListContents readContents(std::string_view bytes, const std::string& file) {
  if (!startsWithHeader(bytes)) {
    throw InputError(file, "record 1",
                     "not a bookmark list: it does not begin with the header "
                     "record \"" +
                         std::string(store::kFormatTag) + "\"");
  }
  platform::ByteReader reader(std::make_unique<BytesInput>(bytes));
  try {
    return store::ReadListContents(reader);
  } catch (const Failure& failure) {
    if (failure.number() == err::kInputPastEndOfFile) {
      throw InputError(file, "end of file",
                       "the last record is cut short (a list's records have ten fields each)");
    }
    throw InputError(file, "", failure.description());
  }
}

// Case-insensitive ascending order, as the group list shows the groups the import counts.
bool shownBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) <
           std::toupper(static_cast<unsigned char>(y));
  });
}

// The list's group names, for the naming of new groups and their duplicate test.
class GroupNaming {
 public:
  explicit GroupNaming(const store::ListContents& contents) : taken_(contents.recordGroups) {
    taken_.insert(std::string(store::kFormatTag));  // such a record reads as a header
    for (const store::ListedGroup& group : contents.groups) shown_.push_back(group.name);
  }

  // The source group's name when the list can hold it and has no group of that name, otherwise
  // a name made as the import makes its group's (on the source's name as far as it can stay).
  std::string nameFor(const std::string& sourceGroup) {
    const std::string stored = store::ImportedBookmarkName(sourceGroup);
    std::string name = stored;
    for (int attempt = 0; name.empty() || taken_.count(name); ++attempt) {
      if (attempt == 1000) throw std::runtime_error("no free group name for " + stored);
      name = stored.empty() ? store::ImportGroupName(sortedShown())
                            : store::ImportGroupName(sortedShown(), stored);
      if (taken_.count(name)) shown_.push_back(name);  // counted by the next try
    }
    taken_.insert(name);
    shown_.push_back(name);
    return name;
  }

 private:
  std::vector<std::string> sortedShown() const {
    std::vector<std::string> sorted = shown_;
    std::stable_sort(sorted.begin(), sorted.end(), shownBefore);
    return sorted;
  }
  std::unordered_set<std::string> taken_;
  std::vector<std::string> shown_;
};

}  // namespace

Bookmarks readList(std::string_view bytes, const std::string& file) {
  store::ListContents contents = readContents(bytes, file);
  std::size_t count = 0;
  for (const store::ListedGroup& group : contents.groups) count += group.bookmarks.size();
  Bookmarks bookmarks;
  bookmarks.reserve(count);
  for (store::ListedGroup& group : contents.groups) {
    for (store::ListedBookmark& listed : group.bookmarks) {
      Bookmark bookmark;
      bookmark.group = group.name;
      bookmark.name = std::move(listed.name);
      if (!listed.extentIsNumbers) {
        throw InputError(file, recordPlace(listed.record),
                         "the extent field \"" + listed.notANumber + "\" is not a number");
      }
      bookmark.extent = listed.extent;
      if (!isShowable(bookmark.extent))
        checkExtent(bookmark.extent, file, recordPlace(listed.record));
      bookmarks.push_back(std::move(bookmark));
    }
    std::vector<store::ListedBookmark>().swap(group.bookmarks);  // held twice no longer
  }
  return bookmarks;
}

ListAddition addToList(std::string_view existing, Bookmarks bookmarks, const std::string& file) {
  ListAddition addition;
  const bool fresh = isBlankText(existing);
  store::ListContents contents;
  if (!fresh) contents = readContents(existing, file);
  GroupNaming naming(contents);

  // Source groups in order of first appearance, each group's bookmarks together in their order:
  // as most files have them already, or sorted so.
  std::unordered_map<std::string, std::size_t> firstAppearance;
  bool together = true;
  for (std::size_t i = 0; i < bookmarks.size(); ++i) {
    if (i && bookmarks[i].group == bookmarks[i - 1].group) continue;
    together =
        firstAppearance.try_emplace(bookmarks[i].group, firstAppearance.size()).second && together;
  }
  if (!together) {
    std::stable_sort(bookmarks.begin(), bookmarks.end(), [&](const Bookmark& a, const Bookmark& b) {
      return firstAppearance.at(a.group) < firstAppearance.at(b.group);
    });
  }

  std::string& out = addition.bytes;
  std::size_t textBytes = 0;
  for (const Bookmark& bookmark : bookmarks)
    textBytes += bookmark.group.size() + bookmark.name.size();
  out.reserve(existing.size() + textBytes + bookmarks.size() * (4 * store::kLongestNumber + 16));
  if (fresh) {
    out += store::formatRecord(store::headerRecord());
  } else {
    out.append(existing);
    if (out.back() != '\n' && out.back() != '\r') out += "\r\n";
  }
  // The bookmarks the list takes stay in the vector, moved up over those it drops.
  std::size_t kept = 0;
  for (std::size_t run = 0; run < bookmarks.size();) {
    std::size_t runEnd = run + 1;
    while (runEnd < bookmarks.size() && bookmarks[runEnd].group == bookmarks[run].group) ++runEnd;
    const std::string source = bookmarks[run].group;
    const std::string group = naming.nameFor(source);
    if (!source.empty() && group != store::ImportedBookmarkName(source)) ++addition.renamedGroups;
    if (!source.empty() && store::ImportedBookmarkName(source) != source) ++addition.changedNames;
    store::appendRecord(out, store::groupRecord(group));
    std::unordered_set<std::string_view> names(runEnd - run);  // of the kept, where they stay
    for (std::size_t i = run; i < runEnd; ++i) {
      Bookmark& bookmark = bookmarks[i];
      std::string name = store::ImportedBookmarkName(bookmark.name);
      if (name.empty()) {
        ++addition.droppedEmpty;
        continue;
      }
      if (name == store::kRemovalMarker || name == store::kGroupFiller) {
        ++addition.droppedReserved;
        continue;
      }
      if (names.count(name)) {
        ++addition.droppedDuplicates;
        continue;
      }
      if (name != bookmark.name) ++addition.changedNames;
      const host::Envelope& e = bookmark.extent;
      store::appendBookmarkRecord(out, group, name, e.XMin, e.YMin, e.XMax, e.YMax);
      Bookmark& stored = bookmarks[kept++];
      if (&stored != &bookmark) stored = std::move(bookmark);
      stored.group = group;
      stored.name = std::move(name);
      names.insert(stored.name);
    }
    run = runEnd;
  }
  bookmarks.resize(kept);
  addition.written = std::move(bookmarks);
  return addition;
}

}  // namespace cw::convert

#include "store/bookmark_store.h"

#include <array>
#include <string_view>

#include "errors/error_trap.h"
#include "host/host.h"
#include "platform/file_slots.h"
#include "platform/window_host.h"
#include "store/file_utilities.h"
#include "store/list_format.h"
#include "store/side_files.h"

namespace cw::store {

namespace {

constexpr const char* kNoWriteAccess =
    "It seems you may not have write access to the current bookmark file: \r\n";
constexpr const char* kDuplicateNames = "Duplicate names are not allowed.";

[[noreturn]] void objectNotSet() {
  throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
}

host::HostDocument& documentOf(host::HostDocument* document) {
  if (!document) objectNotSet();
  return *document;
}

void showMessage(const Storage& storage, std::string_view text) {
  storage.windows.messageBox(text, platform::MessageButtons::kOk);
}

// A layer-visibility field cannot hold a double quote; LayerRecordText keeps it as the closing
// typographic quote, so a data frame or layer name with a quote cannot shift the file's fields.
std::string visibilityText(std::string_view text) {
  return LayerRecordText(text);
}

// Reads the active list through and shows "Duplicate names are not allowed." once for every
// record whose first two fields match; true when any did.
template <class Matches>
bool reportDuplicates(const BookmarkList& list, Matches matches) {
  platform::FileSlots& files = list.storage().files;
  bool duplicate = false;
  files.close(1);
  files.openForInput(1, list.path());
  while (!endOfFile(files, 1)) {
    Field first = readField(files, 1);
    Field second = readField(files, 1);
    skipFields(files, 1, kFieldsPerRecord - 2);
    if (matches(first, second)) {
      showMessage(list.storage(), kDuplicateNames);
      duplicate = true;
    }
  }
  files.close(1);
  return duplicate;
}

void writeLayerRecord(platform::FileSlots& files, int number, const std::string& bookmark,
                      const std::string& frame, const host::HostLayer& layer) {
  std::array<Field, 4> fields{
      Field::text(visibilityText(bookmark)), Field::text(visibilityText(frame)),
      Field::text(visibilityText(layer.name())), Field::text(layer.visible() ? "True" : "False")};
  writeRecord(files, number, fields);
}

// Every feature layer at the top of each data frame and every feature layer directly inside a
// top-level group layer, by data frame, layer and member index.
void writeLayerVisibilities(platform::FileSlots& files, host::HostDocument& doc, int number,
                            const std::string& bookmark) {
  for (int f = 0; f < doc.dataFrameCount(); ++f) {
    host::DataFrame& frame = doc.dataFrame(f);
    for (int l = 0; l < frame.layerCount(); ++l) {
      host::HostLayer& layer = frame.layer(l);
      if (layer.isGroupLayer()) {
        for (int m = 0; m < layer.memberCount(); ++m) {
          host::HostLayer& member = layer.member(m);
          if (member.isFeatureLayer()) {
            writeLayerRecord(files, number, bookmark, frame.name(), member);
          }
        }
      } else if (layer.isFeatureLayer()) {
        writeLayerRecord(files, number, bookmark, frame.name(), layer);
      }
    }
  }
}

bool isBlank(char c) {
  return c == ' ';
}

}  // namespace

AddOutcome CreateNewGroup(const BookmarkList& list, const std::string& group) {
  const Storage& storage = list.storage();
  AddOutcome outcome;
  errors::ErrorTrap trap(storage.report, "CreateNewGroup", kStoreUnit, {1, 2, 3});
  trap.run([&] {
    platform::FileSlots& files = storage.files;
    const std::string& path = list.path();

    trap.at(1);  // the write-access test
    if (fCanWriteFile(storage, path) < 1) {
      showMessage(storage, kNoWriteAccess + path);
      return;
    }
    trap.at(2);  // an empty name adds nothing
    if (group.empty()) return;

    // Every record naming the group counts: its group record and each of its bookmarks.
    trap.at(3);  // the duplicate scan
    bool duplicate = reportDuplicates(
        list, [&](const Field& first, const Field&) { return first.equals(group); });
    outcome.refusedAsDuplicate = duplicate;

    if (!duplicate) {
      trap.at(4);  // the group record
      files.close(1);
      files.openForAppend(1, path);
      {
        platform::AppendTransaction append(files, 1);
        writeRecord(files, 1, groupRecord(group));
        append.commit();
      }
      // Shown once the list holds it for good: a failed append shows no group.
      outcome.added = true;
      if (list.observer()) list.observer()->groupAdded(group);
      files.close(1);
      if (list.observer()) list.observer()->groupSettled(group);
    }

    // The list's own directory of the group; a directory that cannot be made is not reported
    // here (adding a bookmark with visibilities makes it again).
    trap.at(5);  // the group's side-file directory
    if (list.hasSideFiles()) {
      errors::ignoreFailure(
          [&] { EnsureGroupSideDirectory(storage.fs, list.configDir(), path, group); });
    }
    trap.at(6);  // close the list
    files.close(1);
  });
  return outcome;
}

AddOutcome AddBookmark(const BookmarkList& list, const Bookmark& bookmark,
                       host::HostDocument* document, bool rememberVisibilities) {
  const Storage& storage = list.storage();
  AddOutcome outcome;
  errors::ErrorTrap trap(storage.report, "AddBookmark", kStoreUnit, {1, 2, 3});
  trap.run([&] {
    platform::FileSlots& files = storage.files;
    const std::string& path = list.path();
    const std::string& group = bookmark.group;
    const std::string& name = bookmark.name;

    trap.at(1);  // the data frame names
    host::HostDocument& doc = documentOf(document);
    if (HasDuplicateDataFrameName(doc, doc.focusMap().name())) {
      showMessage(storage, "Duplicate Data Frame names are not allowed");
      return;
    }
    trap.at(2);  // names that add nothing
    if (name.empty()) return;
    // Its record would read as the removal of the whole group, hiding every bookmark of it.
    if (name == kRemovalMarker) {
      showMessage(storage, "Invalid bookmark name");
      return;
    }

    // A group record counts as a bookmark named like the group filler.
    trap.at(3);  // the duplicate scan
    bool duplicate = reportDuplicates(list, [&](const Field& first, const Field& second) {
      return second.equals(name) && first.equals(group);
    });
    outcome.refusedAsDuplicate = duplicate;
    trap.at(4);  // stop at a duplicate
    if (duplicate) return;

    const bool sideFiles = list.hasSideFiles();
    const bool remember = rememberVisibilities && sideFiles;
    const std::string visibilityPath =
        sideFiles ? LayerVisibilityPath(storage.fs, list.configDir(), path, group, name)
                  : std::string();

    // Until the bookmark record is in the list for good, a failure takes the new
    // layer-visibility file away again: no file may answer for a bookmark the list lacks.
    struct DropVisibilityFile {
      const Storage& storage;
      const std::string& path;
      bool armed = false;
      ~DropVisibilityFile() {
        if (!armed) return;
        errors::ignoreFailure([&] { storage.files.close(2); });
        errors::ignoreFailure([&] {
          if (storage.fs.fileExists(path)) storage.fs.deleteFile(path);
        });
      }
    } dropVisibilityFile{storage, visibilityPath};

    // The list's own group directory is made when it is missing (the group may come from a
    // list that was not on the program's drive), and the bookmark's file starts afresh.
    trap.at(5);  // the layer-visibility file
    if (remember) {
      EnsureGroupSideDirectory(storage.fs, list.configDir(), path, group);
      fDeleteFile(storage, visibilityPath);
      files.close(2);
      files.openForAppend(2, visibilityPath);
      dropVisibilityFile.armed = true;
      // Empty also when the old file could not be deleted.
      files.writer(2).truncate(0);
    }

    // The record is appended first and kept only once the layer records are written too, so a
    // failure leaves the list as it was.
    trap.at(6);  // the bookmark record
    files.close(1);
    files.openForAppend(1, path);
    platform::AppendTransaction append(files, 1);
    const host::Envelope& e = bookmark.extent;
    writeRecord(files, 1, bookmarkRecord(group, name, e.XMin, e.YMin, e.XMax, e.YMax));

    trap.at(7);  // the layer records
    if (remember) {
      writeLayerVisibilities(files, doc, 2, name);
      files.close(2);
    } else if (sideFiles) {
      // A file left from an earlier bookmark of that name must not restore visibilities that
      // were never recorded for this one.
      fDeleteFile(storage, visibilityPath);
    }

    trap.at(8);  // the record kept for good
    append.commit();
    dropVisibilityFile.armed = false;
    // Shown once the list holds it for good: a failed append shows no bookmark.
    outcome.added = true;
    if (list.observer()) list.observer()->bookmarkAdded(bookmark);
    files.close(1);
    files.close(2);
  });
  return outcome;
}

bool HasDuplicateDataFrameName(host::HostDocument& doc, const std::string& name) {
  int count = 0;
  for (int i = 0; i < doc.dataFrameCount(); ++i) {
    if (doc.dataFrame(i).name() == name) ++count;
  }
  return count > 1;
}

bool IsValidFileName(const std::string& name) {
  std::string_view trimmed = name;
  while (!trimmed.empty() && isBlank(trimmed.front())) trimmed.remove_prefix(1);
  while (!trimmed.empty() && isBlank(trimmed.back())) trimmed.remove_suffix(1);
  if (trimmed.empty()) return false;

  if (name.back() == '.' || name.back() == ' ') return false;

  for (char c : name) {
    auto code = static_cast<unsigned char>(c);
    if (code < 32) return false;
    if (std::string_view("\"/\\:|<>*?").find(c) != std::string_view::npos) return false;
  }

  std::string lower;
  for (char c : name) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  if (lower == "con" || lower == "prn" || lower == "aux" || lower == "nul" || lower == "clock$") {
    return false;
  }
  bool devicePrefix = lower.starts_with("lpt") || lower.starts_with("com");
  return !(devicePrefix && lower.size() == 4 && lower[3] >= '1' && lower[3] <= '9');
}

}  // namespace cw::store

#pragma once

#include <string>
#include <utility>

#include "host/host.h"
#include "store/program_paths.h"
#include "store/storage.h"

// The operations that add to a list (module "Fennigate_Bookmark_Tool_Module"). Both write to
// disk at once, show the store's own fixed messages and say what became of the addition; the
// window shows the result.
namespace cw::store {

inline constexpr const char* kStoreUnit = "Fennigate_Bookmark_Tool_Module";

// A bookmark as the list holds it: a named extent in a named group.
struct Bookmark {
  std::string group;
  std::string name;
  host::Envelope extent;
};

// Follows what the store adds to a list, at the moment the list holds it for good, so a window
// can show it at that point of the store's steps. The store itself shows nothing.
class ListObserver {
 public:
  virtual ~ListObserver() = default;
  virtual void groupAdded(const std::string& group) = 0;
  // The new group's record is written and the list closed again, so it may be read.
  virtual void groupSettled(const std::string& group) = 0;
  virtual void bookmarkAdded(const Bookmark& bookmark) = 0;
};

// One bookmark list file and the place of its side files: the model the window's commands work
// on. Nothing of the list is kept in memory; every operation reads the file afresh.
class BookmarkList {
 public:
  // Side files are kept (under configDir) only for a list on the program's drive.
  BookmarkList(const Storage& storage, std::string path, std::string configDir, bool sideFiles)
      : storage_(storage),
        path_(std::move(path)),
        configDir_(std::move(configDir)),
        sideFiles_(sideFiles) {}

  const Storage& storage() const { return storage_; }
  const std::string& path() const { return path_; }
  const std::string& configDir() const { return configDir_; }
  bool hasSideFiles() const { return sideFiles_; }
  // Whoever follows the additions to this list; none by default.
  ListObserver* observer() const { return observer_; }
  BookmarkList& observedBy(ListObserver& observer) {
    observer_ = &observer;
    return *this;
  }

 private:
  const Storage& storage_;
  std::string path_;
  std::string configDir_;
  bool sideFiles_;
  ListObserver* observer_ = nullptr;
};

// The model of the list at `path`, whose side files are kept only on the program's drive.
inline BookmarkList listAt(const Storage& storage, const ProgramPaths& paths,
                           const std::string& path) {
  return BookmarkList(storage, path, paths.ConfigDir, paths.onProgramDrive(path));
}

// What became of an addition. A refusal has shown its messages already.
struct AddOutcome {
  bool added = false;               // the record is in the list for good
  bool refusedAsDuplicate = false;  // "Duplicate names are not allowed." once per match
};

// Appends a group record unless a record already names the group.
AddOutcome CreateNewGroup(const BookmarkList& list, const std::string& group);
// Appends a bookmark record unless the group already holds one of that name; records the
// layer visibilities of the document's feature layers when asked to (side files only).
AddOutcome AddBookmark(const BookmarkList& list, const Bookmark& bookmark,
                       host::HostDocument* document, bool rememberVisibilities);
// True when two or more data frames of the document carry this name.
bool HasDuplicateDataFrameName(host::HostDocument& document, const std::string& name);
// True when the name may be stored as a group or bookmark name.
bool IsValidFileName(const std::string& name);

}  // namespace cw::store

#pragma once

#include <string>
#include <vector>

#include "convert/bookmark.h"

namespace cw::platform {
class FileSystem;
}

namespace cw::convert {

class Disk;

// The layer visibilities of a list's bookmarks, in the side files the app keeps for the list
// under its program directory (docs/side-files.md): read as the zoom reads them, written as
// adding a bookmark with "Remember layer visibilities" writes them. Only a list on the program's
// drive has side files.
class ListSideFiles {
 public:
  // `programDir` and `list` are paths of this machine; the disk names them as the app does.
  ListSideFiles(Disk& disk, const std::string& programDir, const std::string& list);

  bool onProgramDrive() const { return onProgramDrive_; }
  // "C:" for messages.
  std::string programDrive() const { return std::string(1, programDrive_) + ":"; }

  // Gives every bookmark the visibilities its file records (none when it has no file).
  void read(Bookmarks& bookmarks);
  // Writes the files of bookmarks just added to the list, in groups new to it: a file for each
  // bookmark with visibilities, none (a stale one deleted) for the others. A failure takes the
  // files written so far away again and throws InputError.
  void write(const Bookmarks& added);
  // Takes the files the last write made away again, when the list could not take its groups.
  void discardWritten();

 private:
  platform::FileSystem& fs_;
  std::string configDir_;
  std::string listPath_;
  std::string listFile_;  // as the user named it, for messages
  std::vector<std::string> written_;
  char programDrive_;
  bool onProgramDrive_;
};

}  // namespace cw::convert

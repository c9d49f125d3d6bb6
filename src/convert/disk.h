#pragma once

#include <string>
#include <string_view>

#include "platform/posix/drive_file_system.h"

namespace cw::convert {

// The disk as the desktop app sees it (C: its data folder, Z: the root), so a list reached
// through the converter has the same path, and thus the same side-file area, as in the app.
class Disk {
 public:
  Disk();
  platform::FileSystem& fs() { return fs_; }
  // The path of a file of this machine as the app names it ("C:\..." under the C: folder,
  // "Z:\..." elsewhere).
  std::string windowsPath(const std::string& localPath) const;
  // A file's whole content; fails with a one-line message naming the file when it is missing,
  // unreadable or larger than `limit` bytes.
  std::string readAll(const std::string& localPath, std::size_t limit);
  // Puts `bytes` in place of the file in one step: complete or not at all.
  void replace(const std::string& localPath, std::string_view bytes);

 private:
  platform::DriveFileSystem::Options options_;
  platform::DriveFileSystem fs_;
};

}  // namespace cw::convert

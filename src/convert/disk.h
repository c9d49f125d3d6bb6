#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/posix/drive_file_system.h"

namespace cw::convert {

// The disk as the desktop app sees it (C: its data folder, Z: the root), so a list reached
// through the converter has the same path, and thus the same side-file area, as in the app.
// Inside the app, its own file system holds the files it names ("C:\..."), and the paths of
// the machine stay the machine's.
class Disk {
 public:
  explicit Disk(platform::FileSystem* app = nullptr);
  // The file system that holds the file.
  platform::FileSystem& fs(const std::string& path);
  // The path of a file as its file system names it: an app's path as it is; a path of this
  // machine as the app names it ("C:\..." under the C: folder, "Z:\..." elsewhere).
  std::string windowsPath(const std::string& path) const;
  // A file's whole content; fails with a one-line message naming the file when it is missing,
  // unreadable or larger than `limit` bytes.
  std::string readAll(const std::string& path, std::size_t limit);
  // Puts `bytes` in place of the file in one step: complete or not at all.
  void replace(const std::string& path, std::string_view bytes);
  // The same with the content written by `write` as it is made.
  void replace(const std::string& path, const std::function<void(platform::OutputStream&)>& write);

 private:
  bool isAppPath(const std::string& path) const;
  platform::FileSystem* app_;
  platform::DriveFileSystem::Options options_;
  platform::DriveFileSystem fs_;
};

}  // namespace cw::convert

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/drive_map.h"
#include "platform/file_system.h"
#include "platform/windows_path.h"

namespace cw::platform {

// The file system of Windows through the wide-character calls: paths are UTF-8 in memory and
// reach the platform as UTF-16 in their long form ("\\?\C:\..."), so paths of 260 characters
// and more work like short ones; file contents are bytes, as the store writes them. Drives are
// the machine's own, or, given drives, exactly those, each over a directory in Windows form (the
// drive stand-in of the tests and scripts: "C" -> "Z:\tmp\run1\C" under wine).
class Win32FileSystem : public FileSystem {
 public:
  using Options = DriveMap::Options;

  // No drives given: the machine's own, and the process's current directory.
  static Options defaultOptions();

  // The drives a program is given on its command line, over the machine's.
  class GivenOptions : public DriveMap::GivenOptions {
   public:
    GivenOptions() : DriveMap::GivenOptions(defaultOptions()) {}
  };

  explicit Win32FileSystem(const Options& options = defaultOptions());

  // The drives of the machine are as it was installed; nothing to make.
  void ensureInstalled() {}

  // The path the platform is asked with, without its long-form prefix, the names that exist
  // spelt as on disk; fails like any other operation for an unmapped drive or a bad name.
  std::filesystem::path hostPath(const std::string& path);

  bool fileExists(const std::string& path) override;
  bool directoryExists(const std::string& path) override;
  std::unique_ptr<InputStream> openRead(const std::string& path) override;
  std::unique_ptr<OutputStream> openAppend(const std::string& path) override;
  std::unique_ptr<OutputStream> openNew(const std::string& path) override;
  void deleteFile(const std::string& path) override;
  void createDirectory(const std::string& path) override;
  void removeDirectory(const std::string& path) override;
  void replaceFile(const std::string& from, const std::string& to) override;
  std::unique_ptr<FileLock> tryLock(const std::string& path) override;
  std::vector<DirEntry> listDirectory(const std::string& path, unsigned attributeMask) override;
  unsigned attributes(const std::string& path) override;
  void setAttributes(const std::string& path, unsigned attributes) override;
  bool sameFile(const std::string& a, const std::string& b) override;
  std::vector<char> drives() override;
  std::string currentDirectory() override;

 private:
  struct Native {
    std::wstring path;               // long form, "\\?\C:\a\b" or "\\?\UNC\server\share\a"
    std::string base;                // the drive's directory, "C:\" or "\\server\share"
    std::vector<std::string> names;  // the names from there on
    bool isRoot = false;
  };
  // Fails for a path the platform would refuse or an unmapped drive.
  Native resolve(const std::string& path) const;
  // The attributes of an entry, nullopt when it is missing; fails for other errors.
  std::optional<unsigned long> nativeAttributes(const Native& native, const std::string& path,
                                                const char* action) const;
  std::unique_ptr<OutputStream> openWrite(const std::string& path, bool truncate);

  DriveMap map_;
  bool mapped_;
};

}  // namespace cw::platform

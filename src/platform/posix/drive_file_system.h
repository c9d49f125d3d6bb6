#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/windows_path.h"

namespace cw::platform {

// The Windows drive letters over host directories. Paths are "X:\a\b" (or with "/"), relative
// paths start at the current directory, "." and ".." never climb above a drive's root, and a name
// missing with its exact case is looked up without regard to case in its directory, as the
// Windows platform would find it.
class DriveFileSystem : public FileSystem {
 public:
  struct Options {
    std::map<char, std::string> drives;  // upper-case drive letter -> host directory
    std::string currentDirectory;        // Windows form, "C:\Users\me"
  };

  // C: = the per-user data folder of the product, Z: = "/", the current directory = the
  // process's working directory seen through Z:.
  static Options defaultOptions();

  explicit DriveFileSystem(Options options);

  // The drives a program is given on its command line ("--drive X=DIR", "--cwd WINPATH"): the
  // first given drive replaces the default ones, and without a directory of its own the process
  // starts at the root of the first given drive, since the default one lies on Z:.
  class GivenOptions {
   public:
    // False when the option's value is not "X=DIR" with a letter X.
    bool addDrive(const std::string& mapping);
    void setCurrentDirectory(std::string path);
    bool drivesGiven() const { return firstDrive_ != 0; }
    bool directoryGiven() const { return directoryGiven_; }
    // The default options with what was given.
    Options options() const;

   private:
    Options options_ = defaultOptions();
    char firstDrive_ = 0;
    bool directoryGiven_ = false;
  };

  // Creates C:'s host folder with "Program Files" in it, as an installation leaves it.
  void ensureInstalled();

  // The host path a Windows path names (the case of existing names as on disk); fails like any
  // other operation for an unmapped drive or a bad name.
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
  // The path made absolute against the current directory; fails for a path the platform
  // would refuse.
  WindowsPath parse(const std::string& path) const;
  std::filesystem::path driveRoot(char drive, const std::string& path) const;
  std::filesystem::path resolve(const std::string& path);
  std::filesystem::path resolveNames(const WindowsPath& windows, const std::string& path);
  std::unique_ptr<OutputStream> openWrite(const std::string& path, bool truncate);

  Options options_;
  WindowsPath current_;
};

}  // namespace cw::platform

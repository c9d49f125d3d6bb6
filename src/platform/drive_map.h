#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows_path.h"

namespace cw::platform {

// Drive letters over directories of the machine, the way the tests and the scripts give drives
// to a program ("--drive C=/tmp/run1/C" on Linux, "--drive C=Z:\tmp\run1\C" on Windows). It only
// spells: each file system asks it which directory a drive stands for and how a path reads from
// there, and reaches the directory with its own calls.
class DriveMap {
 public:
  struct Options {
    std::map<char, std::string> drives;  // upper-case drive letter -> the machine's directory
    std::string currentDirectory;        // Windows form, "C:\Users\me"
  };

  // The drives a program is given on its command line ("--drive X=DIR", "--cwd WINPATH"): the
  // first given drive replaces the default ones, and without a directory of its own the process
  // starts at the root of the first given drive, since the default one may lie on no given drive.
  class GivenOptions {
   public:
    explicit GivenOptions(Options defaults) : options_(std::move(defaults)) {}
    // False when the mapping is not "X=DIR" with a letter X.
    bool addDrive(const std::string& mapping);
    void setCurrentDirectory(std::string path);
    bool drivesGiven() const { return firstDrive_ != 0; }
    bool directoryGiven() const { return directoryGiven_; }
    // The default options with what was given.
    Options options() const;

   private:
    Options options_;
    char firstDrive_ = 0;
    bool directoryGiven_ = false;
  };

  // Letters that are no drive letter are dropped; a current directory that is no path starts at
  // the first drive's root.
  explicit DriveMap(const Options& options);

  // The path made absolute against the current directory ("X:name" continues from it when X is
  // its drive, as "name" does). Throws cw::Failure for a path the platform would refuse: an empty
  // one, a character no name may hold, and a network path unless `allowNetwork`.
  WindowsPath parse(const std::string& path, bool allowNetwork = false) const;

  // The directory a drive stands for; throws cw::Failure (device unavailable) naming `path`
  // when the drive is not mapped.
  const std::string& root(char drive, const std::string& path) const;
  const std::map<char, std::string>& drives() const { return drives_; }
  const WindowsPath& currentDirectory() const { return current_; }

  // The one of `names` that equals `name` without regard to case, the first in byte order when
  // several do: how a name missing with its exact case is found in its directory.
  static std::optional<std::string> matchIgnoringCase(const std::vector<std::string>& names,
                                                      std::string_view name);

 private:
  std::map<char, std::string> drives_;
  WindowsPath current_;
};

}  // namespace cw::platform

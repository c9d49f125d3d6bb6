#pragma once

#include <string>
#include <string_view>

namespace cw::store {

// The fixed places on disk, found by the command's creation; empty until then.
struct ProgramPaths {
  std::string ProgramDrive;  // the letter alone: "C"
  std::string ProgramDir;    // ends in "\"
  std::string LastListFile;  // ProgramDir + "config"
  std::string ConfigDir;     // ProgramDir + "BookmarksConfig/"

  std::string InitMarkerFile() const { return ProgramDir + "init"; }
  std::string DefaultListPath() const { return ProgramDir + "bookmarks_default.bmk"; }
  // True when the path lies on the program's drive (first character compared exactly): only
  // such lists have side files.
  bool onProgramDrive(std::string_view path) const {
    return !path.empty() && !ProgramDrive.empty() && path[0] == ProgramDrive[0];
  }
};

}  // namespace cw::store

#pragma once

#include <string>
#include <vector>

namespace cw::platform {
class FileSystem;
}

// One run of the converter: a file of one format into a file of another.
namespace cw::convert {

struct ConvertOptions {
  std::string input;
  std::string output;
  std::string crs;         // the reference system of a list or CSV side; "" when not given
  std::string programDir;  // the app's program directory, for side files; "" for none
  std::string group;       // only this group of the input; "" for all
  // Inside an app: the file system of its own files, named as it names them ("C:\..."); other
  // paths are this machine's. nullptr: every path is the machine's.
  platform::FileSystem* appFileSystem = nullptr;
};

// Converts; what the user should know (what was written, what was dropped or renamed) comes back
// as lines. Bad input throws InputError and leaves the output untouched.
std::vector<std::string> Convert(const ConvertOptions& options);

}  // namespace cw::convert

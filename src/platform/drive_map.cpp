#include "platform/drive_map.h"

#include <algorithm>
#include <utility>

#include "base/failure.h"
#include "platform/runtime_errors.h"

namespace cw::platform {

namespace {

// Characters the Windows platform refuses in a name.
bool isBadNameCharacter(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' ||
         c == '*';
}

bool isAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

bool DriveMap::GivenOptions::addDrive(const std::string& mapping) {
  if (mapping.size() < 3 || mapping[1] != '=' || !isAsciiLetter(mapping[0])) return false;
  const char letter = upperCase(mapping[0]);
  if (!firstDrive_) {
    options_.drives.clear();
    firstDrive_ = letter;
  }
  options_.drives[letter] = mapping.substr(2);
  return true;
}

void DriveMap::GivenOptions::setCurrentDirectory(std::string path) {
  options_.currentDirectory = std::move(path);
  directoryGiven_ = true;
}

DriveMap::Options DriveMap::GivenOptions::options() const {
  Options options = options_;
  if (drivesGiven() && !directoryGiven_) options.currentDirectory = {firstDrive_, ':', '\\'};
  return options;
}

DriveMap::DriveMap(const Options& options) {
  for (const auto& [letter, directory] : options.drives) {
    if (char drive = WindowsPath::driveOf(std::string{letter, ':'})) drives_[drive] = directory;
  }
  current_ = WindowsPath::root(drives_.empty() ? 'C' : drives_.begin()->first);
  try {
    current_ =
        parse(options.currentDirectory.empty() ? std::string("\\") : options.currentDirectory);
  } catch (const Failure&) {
    // A current directory that is no path starts at the first drive's root.
  }
}

WindowsPath DriveMap::parse(const std::string& path, bool allowNetwork) const {
  if (path.empty()) failOnPath(err::kBadFileNameOrNumber, path, "empty path");
  const WindowsPath typed = WindowsPath::parse(path);
  if (typed.network() && !allowNetwork) {
    failOnPath(err::kPathNotFound, path, "network paths are not available");
  }
  std::string_view names = path;
  if (typed.drive()) names.remove_prefix(2);
  if (std::any_of(names.begin(), names.end(), isBadNameCharacter)) {
    failOnPath(err::kBadFileNameOrNumber, path);
  }
  if (typed.network()) return typed;
  return typed.resolvedAgainst(current_);
}

const std::string& DriveMap::root(char drive, const std::string& path) const {
  auto found = drives_.find(drive);
  if (found == drives_.end()) {
    failOnPath(err::kDeviceUnavailable, path, std::string("drive ") + drive + ": is not mapped");
  }
  return found->second;
}

std::optional<std::string> DriveMap::matchIgnoringCase(const std::vector<std::string>& names,
                                                       std::string_view name) {
  const std::string wanted = foldCase(name);
  std::optional<std::string> found;
  for (const auto& candidate : names) {
    if (foldCase(candidate) == wanted && (!found || candidate < *found)) found = candidate;
  }
  return found;
}

}  // namespace cw::platform

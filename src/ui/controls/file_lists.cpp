#include "ui/controls/file_lists.h"

#include <algorithm>

#include "base/failure.h"
#include "platform/file_system.h"
#include "platform/windows_path.h"
#include "ui/controls/list_box.h"

namespace cw::ui {

namespace {

using platform::upperCase;
using platform::WindowsPath;

bool isRoot(const std::string& path) {
  return WindowsPath::parse(path).isRoot();
}

void sortIgnoringCase(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(), lessIgnoringCase);
}

std::vector<std::string> readSubdirectories(platform::FileSystem& fs, const std::string& path) {
  if (!fs.directoryExists(path)) throw Failure(err::kPathNotFound, "Path not found");
  std::vector<std::string> names;
  for (const auto& entry : fs.listDirectory(path, platform::kDirectory)) {
    if (entry.attributes & platform::kDirectory) names.push_back(entry.name);
  }
  sortIgnoringCase(names);
  if (!isRoot(path)) names.insert(names.begin(), "..");
  return names;
}

std::vector<std::string> readFiles(platform::FileSystem& fs, const std::string& path,
                                   const std::string& pattern) {
  if (!fs.directoryExists(path)) throw Failure(err::kPathNotFound, "Path not found");
  std::vector<std::string> names;
  for (const auto& entry : fs.listDirectory(path, platform::kNormal)) {
    if (!(entry.attributes & platform::kDirectory) && matchesFilePattern(entry.name, pattern)) {
      names.push_back(entry.name);
    }
  }
  sortIgnoringCase(names);
  return names;
}

// Both sides come folded: the letters the drive tells apart only by case match each other.
bool wildcardMatch(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0;
  std::size_t star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

void appendList(std::string& out, std::string_view window, const std::string& name,
                const std::vector<std::string>& entries, int selected) {
  out += "LIST " + std::string(window) + "." + name + " [";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i) out += ", ";
    out += quoteForTranscript(entries[i]);
  }
  out += "] selected ";
  out += selected < 0 ? std::string("-") : quoteForTranscript(entries[selected]);
  out += "\n";
}

}  // namespace

std::string joinWindowsPath(const std::string& directory, const std::string& name) {
  return WindowsPath::join(directory, name);
}

std::string resolveWindowsPath(const std::string& base, const std::string& typed,
                               const std::string& driveCurrent) {
  const WindowsPath current = WindowsPath::parse(driveCurrent);
  const WindowsPath from = WindowsPath::driveOf(base) ? WindowsPath::parse(base) : current;
  const WindowsPath place = WindowsPath::parse(typed);
  if (!place.drive() && !from.drive()) {
    std::string t = typed;  // nowhere to resolve against
    std::replace(t.begin(), t.end(), '/', '\\');
    return t;
  }
  // A drive alone is where the user was on it, not where this list was.
  const bool driveAlone = place.drive() && typed.size() == 2;
  return place.resolvedAgainst(driveAlone ? current : from).text();
}

bool matchesFilePattern(std::string_view name, std::string_view pattern) {
  const std::string folded = platform::foldCase(name);
  bool any = false;
  std::size_t start = 0;
  while (start <= pattern.size()) {
    std::size_t end = pattern.find(';', start);
    if (end == std::string_view::npos) end = pattern.size();
    std::string_view one = pattern.substr(start, end - start);
    while (!one.empty() && one.front() == ' ') one.remove_prefix(1);
    while (!one.empty() && one.back() == ' ') one.remove_suffix(1);
    if (!one.empty()) {
      any = true;
      if (one == "*.*" || wildcardMatch(folded, platform::foldCase(one))) return true;
    }
    start = end + 1;
  }
  return !any;
}

std::unique_ptr<Control> makeFileSystemList(const ControlSpec& spec, platform::FileSystem& fs) {
  switch (spec.kind) {
    case ControlKind::kDriveList:
      return std::make_unique<DriveList>(spec, fs);
    case ControlKind::kDirectoryList:
      return std::make_unique<DirectoryList>(spec, fs);
    case ControlKind::kFileList:
      return std::make_unique<FileList>(spec, fs);
    default:
      return nullptr;
  }
}

// Drive list.

std::string DriveList::drive() const {
  return selected_ < 0 ? std::string() : entries_[selected_];
}

void DriveList::reset() {
  Control::reset();
  entries_.clear();
  selected_ = -1;
  for (char letter : fs_.drives()) entries_.push_back(std::string{upperCase(letter), ':'});
  const char current = WindowsPath::driveOf(fs_.currentDirectory());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (current && current == entries_[i][0]) selected_ = static_cast<int>(i);
  }
  if (selected_ < 0 && !entries_.empty()) selected_ = 0;
  changed();
}

void DriveList::choose(int index) {
  if (index == selected_) return;
  selected_ = index;
  changed();
  fire(Event::kChange);
}

void DriveList::setDrive(const std::string& drive) {
  if (!drive.empty()) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i][0] == upperCase(drive[0])) return choose(static_cast<int>(i));
    }
  }
  throw Failure(err::kDeviceUnavailable, "Device unavailable");
}

void DriveList::selectEntry(int index) {
  if (index >= 0 && index < entryCount()) choose(index);
}

void DriveList::navigate(const std::string& path) {
  if (path.empty()) return;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i][0] == upperCase(path[0])) return choose(static_cast<int>(i));
  }
}

void DriveList::dump(std::string& out, std::string_view window) const {
  appendList(out, window, name(), entries_, selected_);
}

// Directory list.

void DirectoryList::reset() {
  Control::reset();
  path_.clear();
  entries_.clear();
  std::string current = fs_.currentDirectory();
  std::string start = resolveWindowsPath("", current, current);
  entries_ = readSubdirectories(fs_, start);
  path_ = start;
  changed();
}

void DirectoryList::setPath(const std::string& path) {
  std::string target = resolveWindowsPath(path_, path, fs_.currentDirectory());
  auto entries = readSubdirectories(fs_, target);
  bool differs = target != path_;
  path_ = std::move(target);
  entries_ = std::move(entries);
  changed();
  if (differs) fire(Event::kChange);
}

void DirectoryList::navigate(const std::string& path) {
  std::string target;
  std::vector<std::string> entries;
  try {
    target = resolveWindowsPath(path_, path, fs_.currentDirectory());
    entries = readSubdirectories(fs_, target);
  } catch (const Failure&) {
    return;  // a place the user cannot go to: the list stays where it is
  }
  bool differs = target != path_;
  path_ = std::move(target);
  entries_ = std::move(entries);
  changed();
  if (differs) fire(Event::kChange);
}

void DirectoryList::selectEntry(int index) {
  if (index >= 0 && index < entryCount()) navigate(joinWindowsPath(path_, entries_[index]));
}

void DirectoryList::dump(std::string& out, std::string_view window) const {
  out += "TEXT " + std::string(window) + "." + name() + " " + quoteForTranscript(path_) + "\n";
  appendList(out, window, name(), entries_, -1);
}

// File list.

std::string FileList::selectedName() const {
  return selected_ == kNone ? std::string() : entries_[selected_];
}

void FileList::reset() {
  Control::reset();
  path_.clear();
  entries_.clear();
  selected_ = kNone;
  std::string current = fs_.currentDirectory();
  std::string start = resolveWindowsPath("", current, current);
  entries_ = readFiles(fs_, start, pattern());
  path_ = start;
  changed();
}

void FileList::setPath(const std::string& path) {
  std::string target = resolveWindowsPath(path_, path, fs_.currentDirectory());
  entries_ = readFiles(fs_, target, pattern());
  path_ = std::move(target);
  selected_ = kNone;
  changed();
}

void FileList::select(int index) {
  if (index < kNone || index >= entryCount()) return;
  bool differs = index != selected_;
  selected_ = index;
  if (differs) changed();
  if (index != kNone) fire(Event::kClick);
}

void FileList::dump(std::string& out, std::string_view window) const {
  appendList(out, window, name(), entries_, selected_);
}

}  // namespace cw::ui

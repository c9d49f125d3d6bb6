#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls/control.h"
#include "ui/controls/selectable.h"

namespace cw::platform {
class FileSystem;
}

// The drive, directory and file lists of the list-file windows, as models over the file system.
// They start at the file system's current directory when their window loads. Pointing a list at
// a place re-reads its entries; Change fires only when the place differs from before. A user
// action that cannot be done (a drive that does not exist, a directory that cannot be read)
// leaves the list as it was; setting a place from code fails with cw::Failure instead.
namespace cw::ui {

// A drive list: the drives of the file system ("C:", "Z:"), one of them chosen.
class DriveList : public Control, public Selectable, public Navigable {
 public:
  DriveList(const ControlSpec& spec, platform::FileSystem& fs) : Control(spec), fs_(fs) {}

  const std::vector<std::string>& entries() const { return entries_; }
  int selectedIndex() const { return selected_; }
  // The chosen drive ("C:"); "" when the file system has none.
  std::string drive() const;
  // Chooses a drive by its letter ("D", "d:", "D:\x"); fires Change when it differs.
  void setDrive(const std::string& drive);

  void reset() override;
  void dump(std::string& out, std::string_view window) const override;

  int entryCount() const override { return static_cast<int>(entries_.size()); }
  std::string entryText(int index) const override { return entries_.at(index); }
  void selectEntry(int index) override;
  void navigate(const std::string& path) override;

 private:
  void choose(int index);
  platform::FileSystem& fs_;
  std::vector<std::string> entries_;
  int selected_ = -1;
};

// A directory list: a path in Windows form and the subdirectories there, with ".." first below
// the root. Choosing an entry enters that directory.
class DirectoryList : public Control, public Selectable, public Navigable {
 public:
  DirectoryList(const ControlSpec& spec, platform::FileSystem& fs) : Control(spec), fs_(fs) {}

  const std::string& path() const { return path_; }
  const std::vector<std::string>& entries() const { return entries_; }
  // Points the list at a directory ("C:" alone means the current directory when it lies on that
  // drive, else the drive's root); fires Change when the path differs. Fails when the
  // directory cannot be listed.
  void setPath(const std::string& path);

  void reset() override;
  void dump(std::string& out, std::string_view window) const override;

  int entryCount() const override { return static_cast<int>(entries_.size()); }
  std::string entryText(int index) const override { return entries_.at(index); }
  void selectEntry(int index) override;
  void navigate(const std::string& path) override;

 private:
  platform::FileSystem& fs_;
  std::string path_;
  std::vector<std::string> entries_;
};

// A file list: the files of one directory whose names match the pattern ("*.bmk", "" for every
// file), compared ignoring case, in ascending order ignoring case. Choosing one fires Click.
class FileList : public Control, public Selectable {
 public:
  static constexpr int kNone = -1;
  // The pattern is the description's caption.
  FileList(const ControlSpec& spec, platform::FileSystem& fs) : Control(spec), fs_(fs) {}

  const std::string& path() const { return path_; }
  const std::string& pattern() const { return spec().caption; }
  const std::vector<std::string>& entries() const { return entries_; }
  int selectedIndex() const { return selected_; }
  // The chosen file's name, "" when none is chosen.
  std::string selectedName() const;
  // Points the list at a directory and re-reads it; the choice is cleared. Fails when the
  // directory cannot be listed.
  void setPath(const std::string& path);
  // Chooses a file (kNone clears the choice); choosing one fires Click.
  void select(int index);

  void reset() override;
  void dump(std::string& out, std::string_view window) const override;

  int entryCount() const override { return static_cast<int>(entries_.size()); }
  std::string entryText(int index) const override { return entries_.at(index); }
  void selectEntry(int index) override { select(index); }

 private:
  platform::FileSystem& fs_;
  std::string path_;
  std::vector<std::string> entries_;
  int selected_ = kNone;
};

// The model of a drive, directory or file list; nullptr for any other kind. Windows that hold
// such lists call it from their makeControl.
std::unique_ptr<Control> makeFileSystemList(const ControlSpec& spec, platform::FileSystem& fs);

// A directory and a name joined by one "\" (none added when the directory ends in one).
std::string joinWindowsPath(const std::string& directory, const std::string& name);
// A typed place made absolute against a directory: "/" read as "\", "." and ".." segments
// resolved, the drive letter upper case, no trailing "\" except at a drive's root ("C:\").
// A bare drive ("D:") becomes `driveCurrent` when that lies on the drive, else the drive's root.
std::string resolveWindowsPath(const std::string& base, const std::string& typed,
                               const std::string& driveCurrent);
// Whether a file name matches a pattern of "*" and "?" wildcards, ignoring case as the drives
// do (ASCII and Latin-1 letters, platform::foldCase); several patterns may be separated by ";";
// "" and "*.*" match every name.
bool matchesFilePattern(std::string_view name, std::string_view pattern);

}  // namespace cw::ui

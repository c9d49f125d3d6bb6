#pragma once

// Temporary host directories as drive letters, with the system's drive-mapped file system over
// them (the Linux stand-in, or the Win32 one on Windows); everything is removed when the
// fixture goes.
//
//   cw::testing::TempDrives drives;            // C: with "Program Files" in it
//   cw::testing::TempDrives drives("CD", "D");  // C: and D:, "Program Files" on D: only
//   drives.write("C:\\lists\\a.bmk", "\"Parks\",...\r\n");
//   drives.fs().openRead("C:\\lists\\a.bmk");

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "support/scratch_folder.h"

#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#else
#include "platform/posix/drive_file_system.h"
#endif

namespace cw::testing {

#ifdef _WIN32
using DriveFileSystem = platform::Win32FileSystem;
#else
using DriveFileSystem = platform::DriveFileSystem;
#endif

// Paths of the machine from and to UTF-8, the text of the system, on every system.
inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

class TempDrives {
 public:
  // `letters`: the drives to make; `programFiles`: the drives that get "Program Files".
  explicit TempDrives(std::string_view letters = "C", std::string_view programFiles = "C",
                      std::string currentDirectory = "C:\\") {
    base_ = makeScratchFolder("cw-drives");
    DriveFileSystem::Options options;
    for (char letter : letters) {
      std::filesystem::create_directory(root(letter));
      options.drives[letter] = utf8Of(root(letter));
    }
    for (char letter : programFiles) {
      std::filesystem::create_directory(root(letter) / "Program Files");
    }
    options.currentDirectory = std::move(currentDirectory);
    fs_ = std::make_unique<DriveFileSystem>(std::move(options));
  }

  ~TempDrives() {
    // Read-only entries must not keep the tree from going.
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(base_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
      std::filesystem::permissions(
          it->path(), std::filesystem::perms::owner_all,
          std::filesystem::perm_options::add | std::filesystem::perm_options::nofollow, ec);
      ec.clear();
    }
    std::filesystem::remove_all(base_, ec);
  }

  TempDrives(const TempDrives&) = delete;
  TempDrives& operator=(const TempDrives&) = delete;

  DriveFileSystem& fs() { return *fs_; }
  const std::filesystem::path& base() const { return base_; }
  // The host directory of a drive.
  std::filesystem::path root(char letter) const { return base_ / std::string(1, upper(letter)); }

  // The host path of "X:\a\b" spelt exactly as given (no lookup without regard to case).
  std::filesystem::path host(std::string_view windowsPath) const {
    std::string rest(windowsPath.substr(2));
    for (char& c : rest) {
      if (c == '\\') c = '/';
    }
    while (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
    return (root(windowsPath[0]) / pathFromUtf8(rest)).make_preferred();
  }

  // Writes the bytes as they stand, making missing directories.
  void write(std::string_view windowsPath, std::string_view bytes) const {
    std::filesystem::path path = host(windowsPath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + utf8Of(path));
  }

  // The bytes of a file; "" when it is missing.
  std::string read(std::string_view windowsPath) const {
    std::ifstream in(host(windowsPath), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  bool exists(std::string_view windowsPath) const {
    std::error_code ec;
    return std::filesystem::exists(host(windowsPath), ec);
  }

  void makeDirectory(std::string_view windowsPath) const {
    std::filesystem::create_directories(host(windowsPath));
  }

 private:
  static char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

  std::filesystem::path base_;
  std::unique_ptr<DriveFileSystem> fs_;
};

}  // namespace cw::testing

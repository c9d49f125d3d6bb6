// The Win32 file system on real Windows paths (under wine in the test command): what Windows
// does differently from the Linux stand-in, and what must read the same on both.

#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/failure.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_errors.h"
#include "support/failure_number.h"
#include "support/file_system_io.h"
#include "support/temp_drives.h"

namespace cw::platform {
namespace {

using cw::testing::append;
using cw::testing::failureNumber;
using cw::testing::readAll;
using cw::testing::TempDrives;

// Another program holding a file open without sharing it.
class LockedFile {
 public:
  explicit LockedFile(const std::filesystem::path& path)
      : handle_(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~LockedFile() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  bool locked() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

TEST(Win32FileSystemTest, NamesMatchWithoutRegardToCaseAndKeepTheirCaseOnDisk) {
  TempDrives drives;
  auto& fs = drives.fs();
  fs.createDirectory("C:\\Lists");
  append(fs, "C:\\Lists\\Café Team.bmk", "x");
  for (const char* spelling : {"C:\\lists\\CAFÉ TEAM.BMK", "c:/LISTS/café team.bmk",
                               "C:\\Lists\\.\\..\\Lists\\Café Team.bmk"}) {
    SCOPED_TRACE(spelling);
    EXPECT_TRUE(fs.fileExists(spelling));
    EXPECT_TRUE(fs.sameFile(spelling, "C:\\Lists\\Café Team.bmk"));
    EXPECT_EQ(fs.hostPath(spelling), drives.host("C:\\Lists\\Café Team.bmk"));
  }
  append(fs, "C:\\LISTS\\CAFÉ TEAM.BMK", "y");
  EXPECT_EQ(readAll(fs, "C:\\Lists\\Café Team.bmk"), "xy");
  // One file under its first spelling, its name as UTF-8 again in the listing.
  std::vector<DirEntry> entries = fs.listDirectory("C:\\lists", kNormal);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "Café Team.bmk");
  EXPECT_TRUE(std::filesystem::exists(drives.root('C') / "Lists" / L"Caf\u00e9 Team.bmk"));
}

TEST(Win32FileSystemTest, ListBytesCrossTheDiskUnchanged) {
  TempDrives drives;
  auto& fs = drives.fs();
  // Code page 1252 letters, line ends of both kinds, a lone CR, a NUL and a Ctrl-Z: no text
  // mode, no conversion.
  std::string bytes = "\"Caf\xE9\",\"Se\xF1or \x80\"\r\n\n\r\x1A";
  bytes += '\0';
  for (int b = 0x80; b <= 0xFF; ++b) bytes += static_cast<char>(b);
  append(fs, "C:\\list.bmk", bytes);
  EXPECT_EQ(readAll(fs, "C:\\list.bmk"), bytes);
  EXPECT_EQ(drives.read("C:\\list.bmk"), bytes);
}

TEST(Win32FileSystemTest, ReadOnlyFilesRefuseEveryChangeUntilTheAttributeGoes) {
  TempDrives drives;
  auto& fs = drives.fs();
  append(fs, "C:\\list.bmk", "old");
  append(fs, "C:\\new.tmp", "new");
  fs.setAttributes("C:\\list.bmk", kReadOnly);
  EXPECT_EQ(fs.attributes("C:\\list.bmk") & (kReadOnly | kDirectory), kReadOnly);
  EXPECT_EQ(failureNumber([&] { fs.openAppend("C:\\list.bmk"); }), err::kPathFileAccessError);
  EXPECT_EQ(failureNumber([&] { fs.openNew("C:\\list.bmk"); }), err::kPathFileAccessError);
  EXPECT_EQ(failureNumber([&] { fs.deleteFile("C:\\list.bmk"); }), err::kPathFileAccessError);
  EXPECT_EQ(failureNumber([&] { fs.replaceFile("C:\\new.tmp", "C:\\list.bmk"); }),
            err::kPathFileAccessError);
  EXPECT_EQ(readAll(fs, "C:\\list.bmk"), "old");
  fs.setAttributes("C:\\list.bmk", kNormal);
  fs.replaceFile("C:\\new.tmp", "C:\\list.bmk");
  EXPECT_EQ(readAll(fs, "C:\\list.bmk"), "new");
  EXPECT_FALSE(fs.fileExists("C:\\new.tmp"));
}

TEST(Win32FileSystemTest, AFileAnotherProgramHoldsIsPermissionDeniedAndKeepsItsContent) {
  TempDrives drives;
  auto& fs = drives.fs();
  append(fs, "C:\\list.bmk", "old");
  append(fs, "C:\\new.tmp", "new");
  LockedFile other(drives.host("C:\\list.bmk"));
  ASSERT_TRUE(other.locked());
  EXPECT_EQ(failureNumber([&] { fs.openRead("C:\\list.bmk"); }), err::kPermissionDenied);
  EXPECT_EQ(failureNumber([&] { fs.openAppend("C:\\list.bmk"); }), err::kPermissionDenied);
  EXPECT_NE(failureNumber([&] { fs.replaceFile("C:\\new.tmp", "C:\\list.bmk"); }), 0);
  EXPECT_TRUE(fs.fileExists("C:\\new.tmp"));  // the new content is still there to retry with
  EXPECT_TRUE(fs.fileExists("C:\\list.bmk"));
}

TEST(Win32FileSystemTest, PathsOf260CharactersAndMoreWorkLikeShortOnes) {
  TempDrives drives;
  auto& fs = drives.fs();
  std::string directory = "C:";
  while (drives.host(directory).native().size() < 300) {
    directory += "\\" + std::string(40, 'd');
    fs.createDirectory(directory);
  }
  const std::string file = directory + "\\a list with a long path.bmk";
  ASSERT_GE(drives.host(file).native().size(), 300u);
  append(fs, file, "x");
  append(fs, file, "y");
  EXPECT_EQ(readAll(fs, file), "xy");
  EXPECT_TRUE(fs.fileExists(file));
  ASSERT_EQ(fs.listDirectory(directory, kNormal).size(), 1u);
  fs.replaceFile(file, directory + "\\moved.bmk");
  fs.deleteFile(directory + "\\moved.bmk");
  EXPECT_TRUE(fs.listDirectory(directory, kNormal).empty());
  fs.removeDirectory(directory);
  EXPECT_FALSE(fs.directoryExists(directory));
}

TEST(Win32FileSystemTest, ADriveWithoutItsFolderIsUnavailableAndNeverFound) {
  TempDrives drives("CD", "C");
  std::filesystem::remove(drives.root('D'));
  auto& fs = drives.fs();
  EXPECT_EQ(fs.drives(), std::vector<char>{'C'});
  EXPECT_FALSE(fs.directoryExists("D:\\Program Files\\"));
  EXPECT_FALSE(fs.fileExists("D:\\list.bmk"));
  EXPECT_EQ(failureNumber([&] { fs.openRead("D:\\list.bmk"); }), err::kDeviceUnavailable);
  EXPECT_EQ(failureNumber([&] { fs.openAppend("E:\\list.bmk"); }), err::kDeviceUnavailable);
}

TEST(Win32FileSystemTest, MissingNamesAndRefusedOnesGiveTheRuntimesNumbers) {
  TempDrives drives;
  auto& fs = drives.fs();
  fs.createDirectory("C:\\Lists");
  append(fs, "C:\\Lists\\a.bmk", "x");
  EXPECT_EQ(failureNumber([&] { fs.openRead("C:\\Lists\\missing.bmk"); }), err::kFileNotFound);
  EXPECT_EQ(failureNumber([&] { fs.openRead("C:\\Nowhere\\a.bmk"); }), err::kPathNotFound);
  EXPECT_EQ(failureNumber([&] { fs.openAppend("C:\\Nowhere\\a.bmk"); }), err::kPathNotFound);
  EXPECT_EQ(failureNumber([&] { fs.openRead("C:\\Lists"); }), err::kPathFileAccessError);
  EXPECT_EQ(failureNumber([&] { fs.createDirectory("C:\\Lists"); }), err::kPathFileAccessError);
  EXPECT_EQ(failureNumber([&] { fs.createDirectory("C:\\Nowhere\\Deeper"); }), err::kPathNotFound);
  EXPECT_EQ(failureNumber([&] { fs.removeDirectory("C:\\Lists"); }), err::kPathFileAccessError);
  EXPECT_EQ(failureNumber([&] { fs.openRead("C:\\a?.bmk"); }), err::kBadFileNameOrNumber);
  EXPECT_EQ(failureNumber([&] { fs.deleteFile("C:\\Lists\\missing.bmk"); }), err::kFileNotFound);
  EXPECT_EQ(failureNumber([&] { fs.listDirectory("C:\\Lists\\a.bmk", kNormal); }),
            err::kPathNotFound);

  struct Code {
    DWORD error;
    int number;
  };
  const Code codes[] = {
      {ERROR_FILE_NOT_FOUND, err::kFileNotFound},
      {ERROR_PATH_NOT_FOUND, err::kPathNotFound},
      {ERROR_BAD_NETPATH, err::kPathNotFound},
      {ERROR_ACCESS_DENIED, err::kPathFileAccessError},
      {ERROR_SHARING_VIOLATION, err::kPermissionDenied},
      {ERROR_LOCK_VIOLATION, err::kPermissionDenied},
      {ERROR_DISK_FULL, err::kDiskFull},
      {ERROR_HANDLE_DISK_FULL, err::kDiskFull},
      {ERROR_NOT_READY, err::kDeviceUnavailable},
      {ERROR_INVALID_DRIVE, err::kDeviceUnavailable},
      {ERROR_FILE_EXISTS, err::kFileAlreadyExists},
      {ERROR_INVALID_NAME, err::kBadFileNameOrNumber},
      {ERROR_CRC, err::kDeviceIoError},
  };
  for (const auto& code : codes)
    EXPECT_EQ(win32::runtimeNumber(code.error), code.number) << code.error;
}

TEST(Win32FileSystemTest, ListingsFollowTheAttributeMask) {
  TempDrives drives;
  auto& fs = drives.fs();
  fs.createDirectory("C:\\Lists");
  fs.createDirectory("C:\\Lists\\Old");
  append(fs, "C:\\Lists\\b.bmk", "");
  append(fs, "C:\\Lists\\A.bmk", "");
  append(fs, "C:\\Lists\\secret.bmk", "");
  fs.setAttributes("C:\\Lists\\secret.bmk", kHidden);
  auto names = [&](unsigned mask) {
    std::vector<std::string> out;
    for (const auto& entry : fs.listDirectory("C:\\Lists", mask)) out.push_back(entry.name);
    return out;
  };
  EXPECT_EQ(names(kNormal), (std::vector<std::string>{"A.bmk", "b.bmk"}));
  EXPECT_EQ(names(kDirectory | kHidden | kSystem),
            (std::vector<std::string>{"A.bmk", "b.bmk", "Old", "secret.bmk"}));
}

TEST(Win32FileSystemTest, WithoutGivenDrivesTheMachinesOwnAreUsed) {
  Win32FileSystem fs;
  std::vector<char> drives = fs.drives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), 'C'), drives.end());
  wchar_t directory[MAX_PATH];
  ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, directory), 0u);
  EXPECT_TRUE(WindowsPath::parse(fs.currentDirectory())
                  .sameIgnoringCase(WindowsPath::parse(win32::fromWide(directory))));
  EXPECT_TRUE(fs.directoryExists("C:\\"));
  EXPECT_TRUE(fs.directoryExists("."));
}

}  // namespace
}  // namespace cw::platform

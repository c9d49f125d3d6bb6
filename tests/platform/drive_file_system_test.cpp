#include "platform/posix/drive_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/failure.h"
#include "support/failure_number.h"
#include "support/file_system_io.h"
#include "support/temp_drives.h"

namespace cw::platform {
namespace {

using cw::testing::TempDrives;

using cw::testing::append;
using cw::testing::failureNumber;
using cw::testing::readAll;

std::vector<std::string> names(const std::vector<DirEntry>& entries) {
  std::vector<std::string> out;
  for (const auto& entry : entries) out.push_back(entry.name);
  return out;
}

TEST(DriveFileSystemTest, EverySpellingOfAPathReachesTheSameFile) {
  TempDrives drives("C", "C", "C:\\Program Files");
  drives.write("C:\\Program Files\\Corbel\\list.bmk", "x");
  const auto target = drives.host("C:\\Program Files\\Corbel\\list.bmk");
  const char* spellings[] = {
      "C:\\Program Files\\Corbel\\list.bmk",
      "C:/Program Files/Corbel/list.bmk",
      "c:\\Program Files/Corbel\\\\list.bmk",
      "C:\\program files\\CORBEL\\LIST.BMK",
      "C:\\Program Files\\.\\Corbel\\..\\Corbel\\list.bmk",
      "C:\\..\\..\\Program Files\\Corbel\\list.bmk",
      "Corbel\\list.bmk",
      ".\\Corbel\\list.bmk",
      "C:Corbel\\list.bmk",
      "..\\Program Files\\Corbel\\list.bmk",
      "\\Program Files\\Corbel\\list.bmk",
  };
  for (const char* path : spellings) {
    EXPECT_TRUE(drives.fs().fileExists(path)) << path;
    EXPECT_EQ(drives.fs().hostPath(path), target) << path;
  }
}

TEST(DriveFileSystemTest, ExistenceTestsTellFilesFromDirectories) {
  TempDrives drives;
  drives.write("C:\\data\\a.bmk", "");
  auto& fs = drives.fs();
  EXPECT_TRUE(fs.directoryExists("C:\\Program Files\\"));
  EXPECT_TRUE(fs.directoryExists("C:\\Program Files"));
  EXPECT_TRUE(fs.directoryExists("C:\\"));
  EXPECT_TRUE(fs.directoryExists("c:"));
  EXPECT_FALSE(fs.fileExists("C:\\Program Files\\"));
  EXPECT_TRUE(fs.fileExists("C:\\data\\a.bmk"));
  EXPECT_FALSE(fs.directoryExists("C:\\data\\a.bmk"));
  EXPECT_FALSE(fs.fileExists("C:\\data\\a.bmk\\"));  // no file below a file
  EXPECT_FALSE(fs.fileExists("C:\\data\\b.bmk"));
  EXPECT_FALSE(fs.fileExists("C:\\missing\\b.bmk"));
  // Unmapped drives and names the platform cannot hold simply do not exist.
  EXPECT_FALSE(fs.fileExists("Q:\\data\\a.bmk"));
  EXPECT_FALSE(fs.directoryExists("Q:\\Program Files\\"));
  EXPECT_FALSE(fs.fileExists("C:\\data\\a?.bmk"));
  EXPECT_FALSE(fs.fileExists(""));
}

TEST(DriveFileSystemTest, ExactCaseWinsOverALookupWithoutCase) {
  TempDrives drives;
  drives.write("C:\\d\\Name.txt", "upper");
  drives.write("C:\\d\\name.txt", "lower");
  EXPECT_EQ(readAll(drives.fs(), "C:\\d\\name.txt"), "lower");
  EXPECT_EQ(readAll(drives.fs(), "C:\\d\\Name.txt"), "upper");
  EXPECT_EQ(readAll(drives.fs(), "C:\\D\\NAME.TXT"), "upper");  // first of both in byte order
}

TEST(DriveFileSystemTest, LatinLettersMatchWithoutCase) {
  TempDrives drives;
  drives.write("C:\\Caf\xC3\xA9\\\xC3\x89t\xC3\xA9.txt", "x");
  EXPECT_TRUE(drives.fs().fileExists("C:\\CAF\xC3\x89\\\xC3\xA9T\xC3\x89.TXT"));
}

TEST(DriveFileSystemTest, LettersBeyondLatinOneKeepTheirCase) {
  TempDrives drives;
  drives.write("C:\\d\\\xCE\xA9.txt", "omega");  // Ω
  EXPECT_TRUE(drives.fs().fileExists("C:\\D\\\xCE\xA9.TXT"));
  EXPECT_FALSE(drives.fs().fileExists("C:\\d\\\xCF\x89.txt"));  // ω
}

TEST(DriveFileSystemTest, NewFilesGoIntoTheDirectoryThatExistsInAnotherCase) {
  TempDrives drives;
  append(drives.fs(), "c:\\PROGRAM FILES\\new.txt", "abc");
  EXPECT_EQ(drives.read("C:\\Program Files\\new.txt"), "abc");
  drives.fs().createDirectory("C:\\program files\\Corbel");
  EXPECT_TRUE(std::filesystem::is_directory(drives.host("C:\\Program Files\\Corbel")));
}

TEST(DriveFileSystemTest, RelativePathsStartAtTheCurrentDirectory) {
  TempDrives drives("CD", "C", "d:/work/./lists/");
  drives.write("D:\\work\\lists\\a.bmk", "a");
  drives.write("C:\\b.bmk", "b");
  auto& fs = drives.fs();
  EXPECT_EQ(fs.currentDirectory(), "D:\\work\\lists");
  EXPECT_EQ(readAll(fs, "a.bmk"), "a");
  EXPECT_EQ(readAll(fs, "D:a.bmk"), "a");
  EXPECT_EQ(readAll(fs, "C:b.bmk"), "b");  // another drive: from its root
  EXPECT_EQ(readAll(fs, "..\\..\\..\\work\\lists\\a.bmk"), "a");
  append(fs, "bookmarks_temp", "t");
  EXPECT_EQ(drives.read("D:\\work\\lists\\bookmarks_temp"), "t");
}

TEST(DriveFileSystemTest, DrivesAreTheMappedLettersThatExist) {
  TempDrives drives("DC");
  auto options = DriveFileSystem::Options{};
  options.drives['c'] = drives.root('C').string();
  options.drives['D'] = drives.root('D').string();
  options.drives['M'] = (drives.base() / "missing").string();
  DriveFileSystem fs(options);
  EXPECT_EQ(fs.drives(), (std::vector<char>{'C', 'D'}));
  EXPECT_EQ(fs.currentDirectory(), "C:\\");
  std::string description;
  EXPECT_EQ(failureNumber([&] { fs.openRead("M:\\a.bmk"); }, &description),
            err::kDeviceUnavailable);
  EXPECT_NE(description.find("M:\\a.bmk"), std::string::npos) << description;
  EXPECT_EQ(failureNumber([&] { fs.openAppend("Q:\\a.bmk"); }), err::kDeviceUnavailable);
}

struct ErrorCase {
  const char* what;
  std::function<void(FileSystem&)> statement;
  int number;
};

TEST(DriveFileSystemTest, FailuresCarryTheRuntimeNumbers) {
  TempDrives drives;
  drives.write("C:\\d\\file.txt", "x");
  drives.write("C:\\d\\readonly.txt", "keep");
  drives.write("C:\\full\\inner.txt", "x");
  drives.makeDirectory("C:\\d\\sub");
  drives.fs().setAttributes("C:\\d\\readonly.txt", kReadOnly);

  const ErrorCase cases[] = {
      {"read a missing file", [](FileSystem& fs) { fs.openRead("C:\\d\\none.bmk"); },
       err::kFileNotFound},
      {"read in a missing directory", [](FileSystem& fs) { fs.openRead("C:\\x\\y.bmk"); },
       err::kPathNotFound},
      {"read a directory", [](FileSystem& fs) { fs.openRead("C:\\d\\sub"); },
       err::kPathFileAccessError},
      {"append in a missing directory", [](FileSystem& fs) { fs.openAppend("C:\\x\\y.bmk"); },
       err::kPathNotFound},
      {"append to a directory", [](FileSystem& fs) { fs.openAppend("C:\\d\\sub"); },
       err::kPathFileAccessError},
      {"append to a read-only file", [](FileSystem& fs) { fs.openAppend("C:\\d\\readonly.txt"); },
       err::kPathFileAccessError},
      {"overwrite a read-only file", [](FileSystem& fs) { fs.openNew("C:\\d\\readonly.txt"); },
       err::kPathFileAccessError},
      {"delete a missing file", [](FileSystem& fs) { fs.deleteFile("C:\\d\\none.txt"); },
       err::kFileNotFound},
      {"delete a read-only file", [](FileSystem& fs) { fs.deleteFile("C:\\d\\readonly.txt"); },
       err::kPathFileAccessError},
      {"delete a directory as a file", [](FileSystem& fs) { fs.deleteFile("C:\\d\\sub"); },
       err::kPathFileAccessError},
      {"create an existing directory", [](FileSystem& fs) { fs.createDirectory("C:\\d\\sub"); },
       err::kPathFileAccessError},
      {"create below a missing parent", [](FileSystem& fs) { fs.createDirectory("C:\\x\\y"); },
       err::kPathNotFound},
      {"remove a directory that holds files",
       [](FileSystem& fs) { fs.removeDirectory("C:\\full"); }, err::kPathFileAccessError},
      {"remove a missing directory", [](FileSystem& fs) { fs.removeDirectory("C:\\none"); },
       err::kPathNotFound},
      {"remove a drive's root", [](FileSystem& fs) { fs.removeDirectory("C:\\"); },
       err::kPathFileAccessError},
      {"list a missing directory", [](FileSystem& fs) { fs.listDirectory("C:\\none", 0); },
       err::kPathNotFound},
      {"list a file", [](FileSystem& fs) { fs.listDirectory("C:\\d\\file.txt", 0); },
       err::kPathNotFound},
      {"attributes of a missing file", [](FileSystem& fs) { fs.attributes("C:\\d\\none"); },
       err::kFileNotFound},
      {"replace from a missing file",
       [](FileSystem& fs) { fs.replaceFile("C:\\d\\none", "C:\\d\\file.txt"); },
       err::kFileNotFound},
      {"replace a read-only file",
       [](FileSystem& fs) { fs.replaceFile("C:\\d\\file.txt", "C:\\d\\readonly.txt"); },
       err::kPathFileAccessError},
      {"a name with a wildcard", [](FileSystem& fs) { fs.openAppend("C:\\d\\a*.bmk"); },
       err::kBadFileNameOrNumber},
      {"a name with a colon", [](FileSystem& fs) { fs.openRead("C:\\d\\a:b"); },
       err::kBadFileNameOrNumber},
      {"a network path", [](FileSystem& fs) { fs.openRead("\\\\server\\share\\a.bmk"); },
       err::kPathNotFound},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(failureNumber([&] { c.statement(drives.fs()); }), c.number) << c.what;
  }
  EXPECT_EQ(drives.read("C:\\d\\readonly.txt"), "keep");
  EXPECT_EQ(drives.read("C:\\d\\file.txt"), "x");
}

TEST(DriveFileSystemTest, DescriptionsSayWhatFailed) {
  TempDrives drives;
  std::string description;
  failureNumber([&] { drives.fs().openRead("C:\\Program Files\\y.bmk"); }, &description);
  EXPECT_EQ(description, "File not found: C:\\Program Files\\y.bmk");
  failureNumber([&] { drives.fs().openRead("C:\\x\\y.bmk"); }, &description);
  EXPECT_EQ(description, "Path not found: C:\\x\\y.bmk");
}

TEST(DriveFileSystemTest, DirectoriesWithoutAccessFailWithPermissionDenied) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser is never denied";
  TempDrives drives;
  drives.write("C:\\locked\\a.txt", "x");
  std::filesystem::permissions(drives.host("C:\\locked"), std::filesystem::perms::none);
  EXPECT_EQ(failureNumber([&] { drives.fs().openRead("C:\\locked\\a.txt"); }),
            err::kPermissionDenied);
  EXPECT_EQ(failureNumber([&] { drives.fs().fileExists("C:\\locked\\a.txt"); }),
            err::kPermissionDenied);
}

TEST(DriveFileSystemTest, AWriteThatFindsTheDiskFullFailsWithDiskFull) {
  DriveFileSystem::Options options;
  options.drives['Z'] = "/";
  options.currentDirectory = "Z:\\";
  DriveFileSystem fs(options);
  if (!fs.fileExists("Z:\\dev\\full")) GTEST_SKIP() << "no /dev/full";
  auto out = fs.openAppend("Z:\\dev\\full");
  out->write("record\r\n");
  EXPECT_EQ(failureNumber([&] { out->close(); }), err::kDiskFull);
  EXPECT_EQ(failureNumber([&] { out->close(); }), 0);  // closed once and for all
}

TEST(DriveFileSystemTest, AppendKeepsTheContentAndOpenNewEmptiesTheFile) {
  TempDrives drives;
  auto& fs = drives.fs();
  append(fs, "C:\\a.txt", "one\r\n");
  append(fs, "C:\\a.txt", "two\r\n");
  EXPECT_EQ(drives.read("C:\\a.txt"), "one\r\ntwo\r\n");
  {
    auto out = fs.openAppend("C:\\a.txt");
    out->write("three\r\n");
    out->flush();
    EXPECT_EQ(drives.read("C:\\a.txt"), "one\r\ntwo\r\nthree\r\n");  // durable before close
  }
  EXPECT_EQ(drives.read("C:\\a.txt"), "one\r\ntwo\r\nthree\r\n");
  auto fresh = fs.openNew("C:\\a.txt");
  fresh->write("new");
  fresh->close();
  EXPECT_EQ(drives.read("C:\\a.txt"), "new");
}

TEST(DriveFileSystemTest, LargeWritesArriveWhole) {
  TempDrives drives;
  std::string big;
  for (int i = 0; big.size() < 300000; ++i) big += std::to_string(i) + ",";
  auto out = drives.fs().openAppend("C:\\big.txt");
  out->write(big.substr(0, 1000));
  out->write(big.substr(1000, 200000));
  out->write(big.substr(201000));
  out->close();
  EXPECT_EQ(drives.read("C:\\big.txt"), big);
  EXPECT_EQ(readAll(drives.fs(), "c:/BIG.TXT"), big);
}

TEST(DriveFileSystemTest, ListingFollowsTheAttributeMask) {
  TempDrives drives;
  drives.write("C:\\d\\b.txt", "");
  drives.write("C:\\d\\A.txt", "");
  drives.write("C:\\d\\.hidden", "");
  drives.makeDirectory("C:\\d\\sub");
  drives.makeDirectory("C:\\d\\.config");
  ASSERT_EQ(::mkfifo(drives.host("C:\\d\\pipe").c_str(), 0600), 0);
  auto& fs = drives.fs();
  using Names = std::vector<std::string>;
  EXPECT_EQ(names(fs.listDirectory("C:\\d", kNormal)), (Names{"A.txt", "b.txt"}));
  EXPECT_EQ(names(fs.listDirectory("C:\\d\\", kDirectory)), (Names{"A.txt", "b.txt", "sub"}));
  EXPECT_EQ(names(fs.listDirectory("C:/D", kHidden)), (Names{".hidden", "A.txt", "b.txt"}));
  EXPECT_EQ(names(fs.listDirectory("C:\\d", kSystem)), (Names{"A.txt", "b.txt", "pipe"}));
  EXPECT_EQ(names(fs.listDirectory("C:\\d", kDirectory | kHidden | kSystem)),
            (Names{".config", ".hidden", "A.txt", "b.txt", "pipe", "sub"}));
}

TEST(DriveFileSystemTest, AttributesShowReadOnlyDirectoryAndHidden) {
  TempDrives drives;
  drives.write("C:\\d\\a.txt", "");
  drives.write("C:\\d\\.h", "");
  auto& fs = drives.fs();
  EXPECT_EQ(fs.attributes("C:\\d\\a.txt"), kNormal);
  EXPECT_EQ(fs.attributes("C:\\d"), kDirectory);
  EXPECT_EQ(fs.attributes("C:\\d\\.h"), kHidden);
  fs.setAttributes("C:\\d\\a.txt", kReadOnly | kHidden);
  EXPECT_EQ(fs.attributes("C:\\d\\a.txt"), kReadOnly);
  auto listed = fs.listDirectory("C:\\d", 0);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].attributes, kReadOnly);
  fs.setAttributes("C:\\d\\a.txt", kNormal);
  EXPECT_EQ(fs.attributes("C:\\d\\a.txt"), kNormal);
  append(fs, "C:\\d\\a.txt", "writable again");
  fs.deleteFile("C:\\d\\a.txt");
  EXPECT_FALSE(drives.exists("C:\\d\\a.txt"));
}

TEST(DriveFileSystemTest, ReplaceFileSwapsInTheNewContent) {
  TempDrives drives;
  drives.write("C:\\list.bmk", "old");
  drives.write("C:\\list.tmp", "new");
  drives.fs().replaceFile("c:\\LIST.TMP", "C:\\list.bmk");
  EXPECT_EQ(drives.read("C:\\list.bmk"), "new");
  EXPECT_FALSE(drives.exists("C:\\list.tmp"));
  drives.write("C:\\other.tmp", "fresh");
  drives.fs().replaceFile("C:\\other.tmp", "C:\\created.bmk");
  EXPECT_EQ(drives.read("C:\\created.bmk"), "fresh");
}

TEST(DriveFileSystemTest, SameFileComparesWhatIsOnDisk) {
  TempDrives drives("C", "C", "C:\\lists");
  drives.write("C:\\lists\\a.bmk", "");
  drives.write("C:\\lists\\b.bmk", "");
  auto& fs = drives.fs();
  EXPECT_TRUE(fs.sameFile("C:\\lists\\a.bmk", "c:/LISTS/./A.bmk"));
  EXPECT_TRUE(fs.sameFile("a.bmk", "C:\\lists\\a.bmk"));
  EXPECT_FALSE(fs.sameFile("C:\\lists\\a.bmk", "C:\\lists\\b.bmk"));
  EXPECT_FALSE(fs.sameFile("C:\\lists\\a.bmk", "C:\\lists\\none.bmk"));
  EXPECT_FALSE(fs.sameFile("Q:\\a.bmk", "Q:\\a.bmk"));
}

TEST(DriveFileSystemTest, RemovingALinkedDirectoryLeavesWhatItLeadsTo) {
  TempDrives drives;
  drives.write("C:\\elsewhere\\keep.txt", "k");
  drives.makeDirectory("C:\\d");
  std::filesystem::create_directory_symlink(drives.host("C:\\elsewhere"),
                                            drives.host("C:\\d\\link"));
  auto& fs = drives.fs();
  auto listed = fs.listDirectory("C:\\d", kDirectory);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].attributes, kDirectory | kReparsePoint);
  fs.removeDirectory("C:\\d\\link");
  EXPECT_FALSE(std::filesystem::exists(drives.host("C:\\d\\link")));
  EXPECT_EQ(drives.read("C:\\elsewhere\\keep.txt"), "k");
}

TEST(DriveFileSystemTest, DefaultOptionsPutCInTheUserDataFolderAndZAtTheRoot) {
  const char* old = std::getenv("XDG_DATA_HOME");
  std::string saved = old ? old : "";
  ::setenv("XDG_DATA_HOME", "/tmp/cw-xdg-test", 1);
  auto options = DriveFileSystem::defaultOptions();
  if (old) {
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_DATA_HOME");
  }
  EXPECT_EQ(options.drives.at('C'), "/tmp/cw-xdg-test/corbelwick-bookmarks/drive_c");
  EXPECT_EQ(options.drives.at('Z'), "/");
  std::string cwd = std::filesystem::current_path().string();
  std::replace(cwd.begin(), cwd.end(), '/', '\\');
  EXPECT_EQ(options.currentDirectory, "Z:" + cwd);
  DriveFileSystem fs(options);
  EXPECT_TRUE(fs.directoryExists("."));
}

TEST(DriveFileSystemTest, EnsureInstalledMakesProgramFilesOnC) {
  TempDrives drives("D", "");
  DriveFileSystem::Options options;
  options.drives['C'] = (drives.base() / "data" / "drive_c").string();
  options.currentDirectory = "C:\\";
  DriveFileSystem fs(options);
  EXPECT_FALSE(fs.directoryExists("C:\\Program Files\\"));
  fs.ensureInstalled();
  EXPECT_TRUE(fs.directoryExists("C:\\Program Files\\"));
  EXPECT_EQ(fs.drives(), (std::vector<char>{'C'}));
  fs.ensureInstalled();  // a second start changes nothing
  EXPECT_TRUE(fs.directoryExists("C:\\Program Files\\"));
}

}  // namespace
}  // namespace cw::platform

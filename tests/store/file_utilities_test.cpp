#include "store/file_utilities.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "command/module.h"
#include "frontends/headless/headless_toolkit.h"
#include "hosts/standin/standin.h"
#include "support/temp_drives.h"

namespace cw::store {
namespace {

using cw::testing::TempDrives;

// The process-wide state over temporary drives, as the command's creation leaves it.
struct Fixture {
  explicit Fixture(std::string_view letters = "C", std::string_view programFiles = "C")
      : drives(letters, programFiles),
        host(std::make_unique<standin::Document>()),
        module(drives.fs(), toolkit, toolkit, host) {
    module.identity.ProductName = product::kProductName;
    module.identity.ProductVersion = product::kProductVersion;
  }
  int create() {
    return fCreateProgramDirectory(module.storage, module.paths, "CorbelwickGIS",
                                   "CorbelwickBookmarks", "config", "");
  }

  TempDrives drives;
  headless::HeadlessToolkit toolkit;
  standin::Application host;
  Module module;
};

TEST(ProgramDirectoryTest, TheFirstDriveWithProgramFilesHoldsTheProgramDirectory) {
  struct Case {
    const char* letters;
    const char* programFiles;
    const char* drive;
  };
  for (const Case& c : {Case{"CD", "CD", "C"}, Case{"CD", "D", "D"}}) {
    Fixture f(c.letters, c.programFiles);
    EXPECT_EQ(f.create(), 1);
    EXPECT_EQ(f.module.paths.ProgramDrive, c.drive);
    const std::string dir =
        std::string(c.drive) + ":\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\";
    EXPECT_EQ(f.module.paths.ProgramDir, dir);
    EXPECT_EQ(f.module.paths.LastListFile, dir + "config");
    EXPECT_TRUE(f.drives.exists(dir + "config"));
    EXPECT_EQ(f.drives.read(dir + "config"), "");
    EXPECT_TRUE(f.toolkit.messages.empty());
  }
}

TEST(ProgramDirectoryTest, ASecondCallCreatesNothingAndKeepsThePointerFile) {
  Fixture f;
  ASSERT_EQ(f.create(), 1);
  const std::string config = f.module.paths.LastListFile;
  f.drives.write(config, "\"D:\\lists\\a.bmk\"\r\n");
  EXPECT_EQ(f.create(), 1);
  EXPECT_EQ(f.drives.read(config), "\"D:\\lists\\a.bmk\"\r\n");
  EXPECT_FALSE(f.module.files.isOpen(1));
}

TEST(ProgramDirectoryTest, TheMiddleLevelAndAnEmptyPointerNameAreHonoured) {
  Fixture f;
  EXPECT_EQ(fCreateProgramDirectory(f.module.storage, f.module.paths, "Co", "Prod", "", "Mid"), 1);
  EXPECT_EQ(f.module.paths.ProgramDir, "C:\\Program Files\\Co\\Mid\\Prod\\");
  EXPECT_EQ(f.module.paths.LastListFile, "");
  EXPECT_TRUE(std::filesystem::is_directory(f.drives.host("C:\\Program Files\\Co\\Mid\\Prod")));
}

TEST(ProgramDirectoryTest, WithoutProgramFilesTheUserIsToldAndNothingIsSet) {
  Fixture f("C", "");
  EXPECT_EQ(f.create(), -1);
  ASSERT_EQ(f.toolkit.messages.size(), 1u);
  EXPECT_EQ(f.toolkit.messages[0],
            "Sorry, CorbelwickBookmarks can't find your local Program Files directory. Please "
            "email support@corbelwickgis.example. Thanks!");
  EXPECT_EQ(f.module.paths.ProgramDrive, "");
  EXPECT_EQ(f.module.paths.ProgramDir, "");
}

TEST(ProgramDirectoryTest, AProgramDirectoryThatCannotBeMadeFailsSilently) {
  Fixture f;
  // A file where the company's directory belongs keeps every level from being created.
  f.drives.write("C:\\Program Files\\CorbelwickGIS", "in the way");
  EXPECT_EQ(f.create(), -1);
  EXPECT_EQ(f.module.paths.ProgramDrive, "C");
  EXPECT_EQ(f.module.paths.ProgramDir, "C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\");
  EXPECT_EQ(f.module.paths.LastListFile, "");
  EXPECT_TRUE(f.toolkit.messages.empty());
  EXPECT_FALSE(f.module.files.isOpen(1));
}

TEST(FileUtilitiesTest, CanWriteFileCreatesAnEmptyFileOnlyWhereItCan) {
  Fixture f;
  f.drives.write("C:\\lists\\full.bmk", "keep\r\n");
  f.module.files.openForInput(1, "C:\\lists\\full.bmk");  // the caller's number 1 is closed
  EXPECT_EQ(fCanWriteFile(f.module.storage, "C:\\lists\\new.bmk"), 1);
  EXPECT_EQ(f.drives.read("C:\\lists\\new.bmk"), "");
  EXPECT_FALSE(f.module.files.isOpen(1));
  EXPECT_EQ(fCanWriteFile(f.module.storage, "C:\\lists\\full.bmk"), 1);
  EXPECT_EQ(f.drives.read("C:\\lists\\full.bmk"), "keep\r\n");

  EXPECT_EQ(fCanWriteFile(f.module.storage, "C:\\missing\\new.bmk"), 0);
  EXPECT_FALSE(f.drives.exists("C:\\missing"));
  f.drives.fs().setAttributes("C:\\lists\\full.bmk", platform::kReadOnly);
  EXPECT_EQ(fCanWriteFile(f.module.storage, "C:\\lists\\full.bmk"), 0);
  EXPECT_EQ(fCanWriteFile(f.module.storage, "Q:\\new.bmk"), 0);
  EXPECT_TRUE(f.toolkit.messages.empty());
  EXPECT_FALSE(f.module.files.isOpen(1));
}

TEST(FileUtilitiesTest, ExistenceTestsTellFilesFromDirectories) {
  Fixture f;
  f.drives.write("C:\\d\\a.bmk", "");
  EXPECT_TRUE(fDoesFileExist(f.module.storage, "C:\\d\\a.bmk"));
  EXPECT_FALSE(fDoesFileExist(f.module.storage, "C:\\d"));
  EXPECT_FALSE(fDoesFileExist(f.module.storage, "C:\\d\\b.bmk"));
  EXPECT_TRUE(fDoesDirectoryExist(f.module.storage, "C:\\d\\"));
  EXPECT_FALSE(fDoesDirectoryExist(f.module.storage, "C:\\d\\a.bmk"));
  EXPECT_FALSE(fDoesDirectoryExist(f.module.storage, "Q:\\d"));
  EXPECT_TRUE(f.toolkit.messages.empty());
}

TEST(FileUtilitiesTest, DeleteFileIgnoresAMissingFileAndReportsAReadOnlyOne) {
  Fixture f;
  fDeleteFile(f.module.storage, "C:\\none.bmk");
  EXPECT_TRUE(f.toolkit.messages.empty());

  f.drives.write("C:\\a.bmk", "x");
  fDeleteFile(f.module.storage, "C:\\a.bmk");
  EXPECT_FALSE(f.drives.exists("C:\\a.bmk"));

  f.drives.write("C:\\ro.bmk", "x");
  f.drives.fs().setAttributes("C:\\ro.bmk", platform::kReadOnly);
  fDeleteFile(f.module.storage, "C:\\ro.bmk");
  EXPECT_TRUE(f.drives.exists("C:\\ro.bmk"));
  ASSERT_EQ(f.toolkit.messages.size(), 1u);
  EXPECT_NE(f.toolkit.messages[0].find("ERROR NUMBER: 75\r\n"), std::string::npos);
  EXPECT_NE(f.toolkit.messages[0].find("MODULE: fDeleteFile CorbelwickGIS_IO Line : 2\r\n"),
            std::string::npos)
      << f.toolkit.messages[0];
}

TEST(FileUtilitiesTest, CreateDirectoryMakesOneLevelAndNeverReports) {
  Fixture f;
  fCreateDirectory(f.module.storage, "C:\\a\\b");
  EXPECT_FALSE(f.drives.exists("C:\\a"));
  fCreateDirectory(f.module.storage, "C:\\a\\");
  fCreateDirectory(f.module.storage, "C:\\a\\");
  EXPECT_TRUE(std::filesystem::is_directory(f.drives.host("C:\\a")));
  EXPECT_TRUE(f.toolkit.messages.empty());
}

TEST(FileUtilitiesTest, DeleteDirectoryRemovesAWholeTreeWithReadOnlyAndHiddenFiles) {
  Fixture f;
  const std::string config = "C:\\Program Files\\CorbelwickGIS\\BookmarksConfig/";
  f.drives.write(config + "Parks/Riverside", "\"Riverside\",\"Main Map\",\"Roads\",\"True\"\r\n");
  f.drives.write(config + "Parks/deep/er/.hidden", "h");
  f.drives.write(config + "Parks/deep/readonly", "r");
  f.drives.write(config + "Roads/a", "a");
  f.drives.write(config + "Roads/b", "b");
  f.drives.write("C:\\outside\\keep.txt", "k");
  std::filesystem::create_directory_symlink(f.drives.host("C:\\outside"),
                                            f.drives.host(config + "Roads/link"));
  f.drives.fs().setAttributes(config + "Parks/deep/readonly", platform::kReadOnly);

  fDeleteDirectory(f.module.storage, config + "Parks");
  EXPECT_FALSE(f.drives.exists(config + "Parks"));
  EXPECT_TRUE(f.drives.exists(config + "Roads/a"));

  fDeleteDirectory(f.module.storage, config);
  EXPECT_FALSE(f.drives.exists(config));
  EXPECT_TRUE(f.drives.exists("C:\\Program Files\\CorbelwickGIS"));
  EXPECT_EQ(f.drives.read("C:\\outside\\keep.txt"), "k");  // a link is no part of the tree

  fDeleteDirectory(f.module.storage, config);  // gone already: nothing happens
  EXPECT_TRUE(f.toolkit.messages.empty());
}

}  // namespace
}  // namespace cw::store

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_app.h"

namespace cw {
namespace {

using testing::TestApp;

const std::string kDir = TestApp::programDir();

TEST(OnCreate, SetsUpIdentityProgramDirectoryConfigDirMarkerAndWindow) {
  TestApp t;
  t.command.OnCreate(&t.host);

  EXPECT_EQ(t.module.identity.CompanyName, "CorbelwickGIS");
  EXPECT_EQ(t.module.identity.ProductName, "CorbelwickBookmarks");
  EXPECT_EQ(t.module.identity.ProductVersion, "v2.19");
  EXPECT_EQ(t.module.paths.ProgramDrive, "C");
  EXPECT_EQ(t.module.paths.ProgramDir, "C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\");
  EXPECT_EQ(t.module.paths.LastListFile, kDir + "config");
  EXPECT_EQ(t.module.paths.ConfigDir, kDir + "BookmarksConfig/");
  EXPECT_TRUE(t.module.services.fs.fileExists(kDir + "config"));
  EXPECT_EQ(t.drives.read(kDir + "config"), "");
  EXPECT_TRUE(t.module.services.fs.directoryExists(kDir + "BookmarksConfig"));
  EXPECT_TRUE(t.module.services.fs.fileExists(kDir + "init"));
  EXPECT_EQ(t.drives.read(kDir + "init"), "");

  ASSERT_NE(t.module.mainWindow, nullptr);
  EXPECT_FALSE(t.module.mainWindow->isLoaded());  // loaded at the first showing only
  EXPECT_TRUE(t.host.frames().all().empty());
  EXPECT_TRUE(t.toolkit.messages.empty());
  EXPECT_FALSE(t.module.files.isOpen(1));
}

TEST(OnCreate, ASecondCreationKeepsTheDirectoryAndItsFilesAndMakesANewWindow) {
  TestApp t;
  t.command.OnCreate(&t.host);
  const ui::FrmMain* first = t.module.mainWindow.get();
  t.drives.write(kDir + "config", "\"C:\\lists\\mine.bmk\"\r\n");
  t.drives.write(kDir + "init", "kept");
  t.drives.write(kDir + "BookmarksConfig/Parks/layers", "x");

  CorbelwickBookmarks second(t.module);  // a second toolbar button
  second.OnCreate(&t.host);

  EXPECT_EQ(t.module.paths.ProgramDir, kDir);
  EXPECT_EQ(t.module.paths.ConfigDir, kDir + "BookmarksConfig/");
  EXPECT_NE(t.module.mainWindow.get(), first);
  EXPECT_EQ(t.drives.read(kDir + "config"), "\"C:\\lists\\mine.bmk\"\r\n");
  EXPECT_EQ(t.drives.read(kDir + "init"), "kept");
  EXPECT_EQ(t.drives.read(kDir + "BookmarksConfig/Parks/layers"), "x");
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST(OnCreate, RecreatesADeletedImportMarker) {
  TestApp t;
  t.command.OnCreate(&t.host);
  t.module.services.fs.deleteFile(kDir + "init");
  t.command.OnCreate(&t.host);
  EXPECT_TRUE(t.module.services.fs.fileExists(kDir + "init"));
}

TEST(OnCreate, AnEarlierWindowStillShownInItsFrameStaysUsable) {
  TestApp t;
  t.start();
  ASSERT_EQ(t.host.frames().all().size(), 1u);
  standin::Frame& oldFrame = *t.host.frames().all()[0];
  ASSERT_NE(oldFrame.window(), nullptr);

  t.command.OnCreate(&t.host);

  EXPECT_NE(t.module.mainWindow.get(), oldFrame.window());
  EXPECT_EQ(oldFrame.window()->name(), "frmMain");  // still alive
  oldFrame.setVisible(false);
  oldFrame.setVisible(true);
  EXPECT_TRUE(oldFrame.window()->isVisible());
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST(OnCreate, NoProgramFilesOnAnyDriveShowsBothMessagesAndSetsUpNothing) {
  TestApp t(TestApp::kOneMapDocument, "CD", "");
  t.command.OnCreate(&t.host);

  EXPECT_EQ(t.toolkit.messages,
            (std::vector<std::string>{
                "Sorry, CorbelwickBookmarks can't find your local Program Files directory. "
                "Please email support@corbelwickgis.example. Thanks!",
                "There was an error creating the program directory.\r\n"
                "Please make sure you have write permission to your local Program Files "
                "directory.\r\n"
                "Email support@corbelwickgis.example for more information."}));
  EXPECT_EQ(t.module.identity.ProductName, "CorbelwickBookmarks");
  EXPECT_EQ(t.module.paths.ProgramDir, "");
  EXPECT_EQ(t.module.paths.LastListFile, "");
  EXPECT_EQ(t.module.paths.ConfigDir, "");
  EXPECT_EQ(t.module.mainWindow, nullptr);
  EXPECT_FALSE(t.drives.exists("C:\\Program Files"));
}

TEST(OnCreate, UsesTheFirstDriveWithProgramFiles) {
  TestApp t(TestApp::kOneMapDocument, "CD", "D");
  t.command.OnCreate(&t.host);
  EXPECT_EQ(t.module.paths.ProgramDrive, "D");
  EXPECT_EQ(t.module.paths.ConfigDir, TestApp::programDir('D') + "BookmarksConfig/");
  EXPECT_TRUE(t.module.services.fs.fileExists(TestApp::programDir('D') + "init"));
  EXPECT_NE(t.module.mainWindow, nullptr);
}

TEST(OnCreate, AMarkerThatCannotBeCreatedIsReportedAndLeavesNoWindow) {
  TestApp t;
  t.drives.makeDirectory(kDir + "init");  // a directory where the marker belongs
  t.command.OnCreate(&t.host);

  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(
      t.toolkit.messages[0].find("\r\nMODULE: ICommand_OnCreate CorbelwickBookmarks Line : 6\r\n"),
      std::string::npos);
  EXPECT_EQ(t.module.paths.ConfigDir, kDir + "BookmarksConfig/");  // what was done stays done
  EXPECT_EQ(t.module.mainWindow, nullptr);
  EXPECT_FALSE(t.module.files.isOpen(1));
}

}  // namespace
}  // namespace cw

#include "ui/controls/file_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "support/temp_drives.h"

namespace cw::ui {
namespace {

using Names = std::vector<std::string>;
using Events = std::vector<Event>;

// Two drives with a few directories and files; the current directory is C:\Lists.
class FileListsTest : public ::testing::Test {
 protected:
  FileListsTest() : drives_("CD", "C", "C:\\Lists") {
    drives_.write("C:\\Lists\\b.bmk", "x");
    drives_.write("C:\\Lists\\A.BMK", "x");
    drives_.write("C:\\Lists\\notes.txt", "x");
    drives_.makeDirectory("C:\\Lists\\zeta");
    drives_.makeDirectory("C:\\Lists\\Alpha");
    drives_.makeDirectory("C:\\Lists\\dir.bmk");
    drives_.write("C:\\Lists\\Alpha\\c.bmk", "x");
    drives_.makeDirectory("D:\\Maps");
  }

  // Records the events a control fires.
  template <class T>
  std::unique_ptr<T> make(const ControlSpec& spec) {
    auto control = std::make_unique<T>(spec, drives_.fs());
    control->setEventSink([this](Event event) { events_.push_back(event); });
    control->reset();
    return control;
  }

  testing::TempDrives drives_;
  std::vector<Event> events_;
};

const ControlSpec kDrive{"Drive1", ControlKind::kDriveList, "", "", "", {}};
const ControlSpec kDir{"Dir1", ControlKind::kDirectoryList, "", "", "", {}};
const ControlSpec kBmkFiles{"File1", ControlKind::kFileList, "", "*.bmk", "", {}};
const ControlSpec kAllFiles{"File1", ControlKind::kFileList, "", "", "", {}};

TEST_F(FileListsTest, DriveListShowsTheDrivesAndFiresChangeOnlyForAnotherDrive) {
  auto drive = make<DriveList>(kDrive);
  EXPECT_EQ(drive->entries(), Names({"C:", "D:"}));
  EXPECT_EQ(drive->drive(), "C:");

  drive->selectEntry(0);
  EXPECT_TRUE(events_.empty());
  drive->navigate("d:\\anything");
  EXPECT_EQ(drive->drive(), "D:");
  EXPECT_EQ(events_, Events({Event::kChange}));

  drive->navigate("Q:");  // no such drive: nothing happens
  EXPECT_EQ(drive->drive(), "D:");
  EXPECT_EQ(events_.size(), 1u);
  EXPECT_THROW(drive->setDrive("Q"), Failure);

  std::string out;
  drive->dump(out, "frmLoadList");
  EXPECT_EQ(out, "LIST frmLoadList.Drive1 [\"C:\", \"D:\"] selected \"D:\"\n");
}

TEST_F(FileListsTest, DirectoryListEntersSubdirectoriesAndClimbsBack) {
  auto dir = make<DirectoryList>(kDir);
  EXPECT_EQ(dir->path(), "C:\\Lists");
  EXPECT_EQ(dir->entries(), Names({"..", "Alpha", "dir.bmk", "zeta"}));
  EXPECT_TRUE(events_.empty());

  dir->selectEntry(1);
  EXPECT_EQ(dir->path(), "C:\\Lists\\Alpha");
  EXPECT_EQ(dir->entries(), Names({".."}));
  dir->selectEntry(0);
  EXPECT_EQ(dir->path(), "C:\\Lists");
  dir->selectEntry(0);
  EXPECT_EQ(dir->path(), "C:\\");
  EXPECT_EQ(dir->entries(), Names({"Lists", "Program Files"}));  // no ".." at the root
  EXPECT_EQ(events_, Events({Event::kChange, Event::kChange, Event::kChange}));

  std::string out;
  dir->dump(out, "frmLoadList");
  EXPECT_EQ(out,
            "TEXT frmLoadList.Dir1 \"C:\\\"\n"
            "LIST frmLoadList.Dir1 [\"Lists\", \"Program Files\"] selected -\n");
}

TEST_F(FileListsTest, DirectoryListStaysWhereItIsForAPlaceThatDoesNotExist) {
  auto dir = make<DirectoryList>(kDir);
  dir->navigate("C:\\Missing");
  dir->navigate("C:\\Lists\\b.bmk");  // a file, not a directory
  EXPECT_EQ(dir->path(), "C:\\Lists");
  EXPECT_TRUE(events_.empty());
  EXPECT_THROW(dir->setPath("C:\\Missing"), Failure);
  EXPECT_EQ(dir->path(), "C:\\Lists");

  dir->setPath("C:\\Lists");  // the same place: no Change
  EXPECT_TRUE(events_.empty());
  dir->setPath("D:");  // another drive alone: its root
  EXPECT_EQ(dir->path(), "D:\\");
  EXPECT_EQ(events_, Events({Event::kChange}));
}

TEST_F(FileListsTest, FileListShowsMatchingFilesIgnoringCaseWithoutDirectories) {
  auto files = make<FileList>(kBmkFiles);
  EXPECT_EQ(files->path(), "C:\\Lists");
  EXPECT_EQ(files->entries(), Names({"A.BMK", "b.bmk"}));
  auto all = make<FileList>(kAllFiles);
  EXPECT_EQ(all->entries(), Names({"A.BMK", "b.bmk", "notes.txt"}));

  files->select(1);
  EXPECT_EQ(files->selectedName(), "b.bmk");
  EXPECT_EQ(events_, Events({Event::kClick}));
  std::string out;
  files->dump(out, "frmLoadList");
  EXPECT_EQ(out, "LIST frmLoadList.File1 [\"A.BMK\", \"b.bmk\"] selected \"b.bmk\"\n");

  files->setPath("C:\\Lists\\Alpha");
  EXPECT_EQ(files->entries(), Names({"c.bmk"}));
  EXPECT_EQ(files->selectedIndex(), FileList::kNone);
  EXPECT_THROW(files->setPath("C:\\Missing"), Failure);
  EXPECT_EQ(files->path(), "C:\\Lists\\Alpha");
}

}  // namespace
}  // namespace cw::ui

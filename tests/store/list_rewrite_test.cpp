#include "store/list_rewrite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/failure.h"
#include "store/list_format.h"
#include "support/failing_file_system.h"
#include "support/temp_drives.h"

namespace cw::store {
namespace {

using cw::testing::FailingFileSystem;
using cw::testing::TempDrives;

constexpr const char* kList = "C:\\lists\\parks.bmk";

const std::string kHeader =
    "\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\","
    "\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\","
    "\"Bookmarks_v2.0\",\"Bookmarks_v2.0\"\r\n";

std::string groupLine(const std::string& group) {
  std::string line = "\"" + group + "\"";
  for (int i = 0; i < 9; ++i) line += ",\"ud2s88oew\"";
  return line + "\r\n";
}

// Disk and failing wrapper for one list.
class RewriteTest : public ::testing::Test {
 protected:
  RewriteTest() : fs_(drives_.fs()) {}

  // The names in the list's directory: nothing may be left beside the list.
  std::vector<std::string> listDirectory() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(drives_.host("C:\\lists"))) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  void rewrite(const std::function<bool(const Record&)>& keep) { RewriteList(fs_, kList, keep); }

  // The failure number a rewrite throws, 0 when it succeeds.
  int failingRewrite(const std::function<bool(const Record&)>& keep) {
    try {
      rewrite(keep);
    } catch (const Failure& failure) {
      return failure.number();
    }
    return 0;
  }

  TempDrives drives_;
  FailingFileSystem fs_;
};

bool keepAll(const Record&) {
  return true;
}
bool dropPark(const Record& record) {
  return !record[0].equals("Park");
}

TEST_F(RewriteTest, KeepingEveryRecordLeavesTheListByteForByteHoweverOften) {
  // Text stays quoted (also when it looks like a number or is empty), numbers stay bare,
  // empty fields stay empty; header, group and removal records pass through.
  const std::string list = kHeader + groupLine("Parks") +
                           "\"Parks\",\"Riverside\",-122.5,37.25,-122,37.75,,,,\r\n"
                           "\"Parks\",\"2019\",\"12\",\"\",1234567.125,1E-07,,,,\r\n"
                           "\"Parks\",\"ao74idqp3\",\"x\",,,,,,,\r\n"
                           "\"Roads\",\"Old Mill\",\"ao74idqp3\",,,,,,,\r\n" +
                           kHeader + "\"Roads\",\"Bridge\",1.5E+20,-999999999999999,0,100,,,,\r\n";
  drives_.write(kList, list);
  for (int round = 0; round < 3; ++round) {
    rewrite(keepAll);
    ASSERT_EQ(drives_.read(kList), list) << "round " << round;
  }
}

TEST_F(RewriteTest, NumbersSettleAfterTheFirstRewrite) {
  drives_.write(kList, "\"G\",\"B\",0.30000000000000004, 1.50 ,.5,-0.0,,,,\r\n");
  rewrite(keepAll);
  const std::string settled = drives_.read(kList);
  EXPECT_EQ(settled, "\"G\",\"B\",0.3,1.5,0.5,0,,,,\r\n");
  rewrite(keepAll);
  EXPECT_EQ(drives_.read(kList), settled);
}

// Records already in the written form and records that are not, mixed and partly dropped: the
// kept ones come out as the record writer writes them.
TEST_F(RewriteTest, KeptRecordsComeOutAsTheRecordWriterWritesThem) {
  drives_.write(
      kList, kHeader +
                 "\"Park\",\"A\",1,2,3,4,,,,\r\n"
                 " \"Roads\" , \"B\"x,1.50,2e3,.5,-0\r\n,,,\n\r\n"
                 "\"Roads\",\"C\",-122.5,37.25,-122,37.75,,,,,"  // the next record on the same line
                 "\"Park\",\"D\",5,6,7,8,,,,\r"
                 "\"Roads\",\"Caf\xE9\",0.000001,123456789012345,1E-07,0,,,,");
  rewrite(dropPark);
  EXPECT_EQ(drives_.read(kList),
            kHeader +
                "\"Roads\",\"B\",1.5,2000,0.5,0,,,,\r\n"
                "\"Roads\",\"C\",-122.5,37.25,-122,37.75,,,,\r\n"
                "\"Roads\",\"Caf\xE9\",0.000001,123456789012345,1E-07,0,,,,\r\n");
}

TEST_F(RewriteTest, DroppedRecordsGoAndTheOthersKeepTheirOrder) {
  drives_.write(kList, kHeader + groupLine("Park") + groupLine("Roads") +
                           "\"Park\",\"A\",1,2,3,4,,,,\r\n"
                           "\"Roads\",\"B\",5,6,7,8,,,,\r\n"
                           "\"Park\",\"C\",1,2,3,4,,,,\r\n"
                           "\"Parks\",\"D\",1,2,3,4,,,,\r\n"
                           "\"park\",\"E\",1,2,3,4,,,,\r\n");
  rewrite(dropPark);
  EXPECT_EQ(drives_.read(kList), kHeader + groupLine("Roads") +
                                     "\"Roads\",\"B\",5,6,7,8,,,,\r\n"
                                     "\"Parks\",\"D\",1,2,3,4,,,,\r\n"
                                     "\"park\",\"E\",1,2,3,4,,,,\r\n");
  EXPECT_EQ(listDirectory(), std::vector<std::string>{"parks.bmk"});
}

TEST_F(RewriteTest, ReplacesTheListFromATemporaryFileBesideIt) {
  drives_.write(kList, kHeader);
  rewrite(keepAll);
  ASSERT_EQ(fs_.replaced.size(), 1u);
  EXPECT_EQ(fs_.replaced[0], std::string(kList) + ".bookmarks_temp -> " + kList);
  EXPECT_FALSE(drives_.exists("C:\\bookmarks_temp"));
}

TEST_F(RewriteTest, AnEarlierTemporaryFileNeverEntersTheList) {
  drives_.write(kList, kHeader + "\"Roads\",\"B\",5,6,7,8,,,,\r\n");
  drives_.write(std::string(kList) + ".bookmarks_temp", "\"Stale\",\"Old\",1,2,3,4,,,,\r\n");
  drives_.write("C:\\bookmarks_temp", "\"Stale\",\"Older\",1,2,3,4,,,,\r\n");
  rewrite(keepAll);
  EXPECT_EQ(drives_.read(kList), kHeader + "\"Roads\",\"B\",5,6,7,8,,,,\r\n");
  EXPECT_EQ(listDirectory(), std::vector<std::string>{"parks.bmk"});
}

// Whatever step fails, the list keeps every old record and no temporary file stays.
TEST_F(RewriteTest, AFailureLeavesTheOldListWholeAndNoTemporaryFile) {
  // Large enough to be written in several pieces, so a write can fail half-way.
  std::string list = kHeader;
  for (int i = 0; i < 3000; ++i) {
    list += "\"" + std::string(i % 2 ? "Park" : "Roads") + "\",\"Bookmark " + std::to_string(i) +
            "\",-122.5,37.25,-122,37.75,,,,\r\n";
  }
  struct Case {
    const char* what;
    std::function<void(FailingFileSystem&)> arm;
  } cases[] = {
      {"first write", [](FailingFileSystem& fs) { fs.failWriteAfter = 0; }},
      {"a later write", [](FailingFileSystem& fs) { fs.failWriteAfter = 1; }},
      {"flush", [](FailingFileSystem& fs) { fs.failFlush = true; }},
      {"replace", [](FailingFileSystem& fs) { fs.failReplace = true; }},
  };
  for (const auto& c : cases) {
    drives_.write(kList, list);
    fs_.failWriteAfter = -1;
    fs_.failFlush = fs_.failReplace = false;
    c.arm(fs_);
    EXPECT_NE(failingRewrite(dropPark), 0) << c.what;
    EXPECT_EQ(drives_.read(kList), list) << c.what;
    EXPECT_EQ(listDirectory(), std::vector<std::string>{"parks.bmk"}) << c.what;
  }
}

TEST_F(RewriteTest, AListCutShortFailsAndStaysAsItWas) {
  const std::string list = kHeader + "\"Park\",\"A\",1,2,3,4,,,,\r\n\"Roads\",\"B\",5,6\r\n";
  drives_.write(kList, list);
  EXPECT_EQ(failingRewrite(dropPark), err::kInputPastEndOfFile);
  EXPECT_EQ(drives_.read(kList), list);
  EXPECT_EQ(listDirectory(), std::vector<std::string>{"parks.bmk"});
}

TEST_F(RewriteTest, AMissingListFailsAndIsNotCreated) {
  drives_.makeDirectory("C:\\lists");
  EXPECT_EQ(failingRewrite(keepAll), err::kFileNotFound);
  EXPECT_TRUE(listDirectory().empty());
}

TEST_F(RewriteTest, ReplacingTheContentWritesExactlyTheGivenRecords) {
  drives_.write(kList, kHeader + "\"Park\",\"A\",1,2,3,4,,,,\r\n");
  ReplaceListContent(fs_, kList, {headerRecord()});
  EXPECT_EQ(drives_.read(kList), kHeader);

  fs_.failReplace = true;
  EXPECT_THROW(ReplaceListContent(fs_, kList, {}), Failure);
  EXPECT_EQ(drives_.read(kList), kHeader);
  EXPECT_EQ(listDirectory(), std::vector<std::string>{"parks.bmk"});
}

// Copying a list's records onto the end of another file, as the save does: each record as the
// record writer writes it, after what the target held; a record cut short fails after the
// records before it were copied.
TEST(CopyRecordsTest, CopiesEachRecordAsTheRecordWriterWritesIt) {
  struct Case {
    const char* what;
    std::string source;
    std::string copied;
    int failure;
  } cases[] = {
      {"written forms and others",
       kHeader + " \"Roads\" ,\"B\"x,1.50,2e3,.5,-0,,,,\r\n\r\n\"Roads\",\"C\",-122.5,37.25,-122,"
                 "37.75,,,,",
       kHeader +
           "\"Roads\",\"B\",1.5,2000,0.5,0,,,,\r\n\"Roads\",\"C\",-122.5,37.25,-122,37.75,,,,\r\n",
       0},
      {"a record cut short", kHeader + "\"Roads\",\"B\",1,2\r\n", kHeader,
       err::kInputPastEndOfFile},
  };
  for (const Case& c : cases) {
    TempDrives drives;
    drives.write("C:\\from.bmk", c.source);
    drives.write("C:\\to.bmk", groupLine("Old"));
    platform::FileSlots files(drives.fs());
    files.openForInput(1, "C:\\from.bmk");
    files.openForAppend(2, "C:\\to.bmk");
    int failure = 0;
    try {
      CopyRecords(files, 1, 2);
    } catch (const Failure& f) {
      failure = f.number();
    }
    files.closeAll();
    EXPECT_EQ(failure, c.failure) << c.what;
    EXPECT_EQ(drives.read("C:\\to.bmk"), groupLine("Old") + c.copied) << c.what;
  }
}

}  // namespace
}  // namespace cw::store

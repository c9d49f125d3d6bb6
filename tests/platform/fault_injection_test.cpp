#include "platform/testing/fault_injection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/failure.h"
#include "platform/file_slots.h"
#include "support/failure_number.h"
#include "support/temp_drives.h"

namespace cw::platform {
namespace {

using cw::testing::TempDrives;

using cw::testing::failureNumber;

constexpr const char* kFile = "C:\\data\\list.bmk";

class FaultInjectionTest : public ::testing::Test {
 protected:
  FaultInjectionTest() {
    drives.write(kFile, "old\r\n");
    drives.write("C:\\data\\new.tmp", "new\r\n");
    drives.makeDirectory("C:\\data\\empty");
  }

  // What the operations below may change.
  std::string diskState() {
    return drives.read(kFile) + "|" + drives.read("C:\\data\\new.tmp") + "|" +
           std::to_string(drives.exists("C:\\data\\empty")) +
           std::to_string(drives.exists("C:\\data\\sub")) + "|" +
           std::to_string(drives.fs().attributes(kFile));
  }

  TempDrives drives;
  FaultInjectingFileSystem faults{drives.fs()};
};

// Each kind, struck as the first operation after arming, fails with its number and changes
// nothing; the same operation run again succeeds (one fault per arming).
TEST_F(FaultInjectionTest, EachOperationKindFailsOnceWithItsNumberAndChangesNothing) {
  std::unique_ptr<InputStream> input;
  std::unique_ptr<OutputStream> output;
  char buffer[16];
  struct Case {
    const char* kind;
    std::function<void()> prepare;  // before arming, so not counted
    std::function<void()> operation;
    int number;
  };
  const std::vector<Case> cases{
      {"open", [] {}, [&] { faults.openAppend(kFile); }, err::kPermissionDenied},
      {"read", [&] { input = faults.openRead(kFile); }, [&] { input->read(buffer, 16); },
       err::kDeviceIoError},
      {"write", [&] { output = faults.openAppend(kFile); }, [&] { output->write("more"); },
       err::kDiskFull},
      {"flush", [&] { output = faults.openAppend(kFile); }, [&] { output->flush(); },
       err::kDeviceIoError},
      {"close", [&] { output = faults.openAppend(kFile); }, [&] { output->close(); },
       err::kDeviceIoError},
      {"rename", [] {}, [&] { faults.replaceFile("C:\\data\\new.tmp", kFile); },
       err::kPermissionDenied},
      {"delete", [] {}, [&] { faults.deleteFile(kFile); }, err::kPermissionDenied},
      {"mkdir", [] {}, [&] { faults.createDirectory("C:\\data\\sub"); }, err::kPathFileAccessError},
      {"rmdir", [] {}, [&] { faults.removeDirectory("C:\\data\\empty"); },
       err::kPathFileAccessError},
      {"attrib", [] {}, [&] { faults.setAttributes(kFile, kReadOnly); }, err::kPermissionDenied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    c.prepare();
    const std::string before = diskState();
    faults.failOperation(1);
    EXPECT_EQ(failureNumber(c.operation), c.number);
    EXPECT_EQ(faults.faultsFired(), 1u);
    ASSERT_EQ(faults.faultLog().size(), 1u);
    EXPECT_EQ(faults.faultLog()[0].substr(0, faults.faultLog()[0].find(' ')), c.kind);
    if (output) output->close();  // a failed write must not reach the file at its close either
    EXPECT_EQ(diskState(), before);
    if (!output) {
      EXPECT_EQ(failureNumber(c.operation), 0) << "a second run must succeed";
    }
    input.reset();
    output.reset();
    faults.disarm();
    drives.write(kFile, "old\r\n");
    drives.write("C:\\data\\new.tmp", "new\r\n");
    drives.makeDirectory("C:\\data\\empty");
    if (drives.exists("C:\\data\\sub")) std::filesystem::remove(drives.host("C:\\data\\sub"));
    drives.fs().setAttributes(kFile, kNormal);
  }
}

TEST_F(FaultInjectionTest, TheKthOperationFailsCountingAllKindsOrOnlyOne) {
  // open, write, write, close: the third counted operation is the second write.
  faults.failOperation(3);
  auto out = faults.openAppend(kFile);
  out->write("a");
  EXPECT_EQ(failureNumber([&] { out->write("b"); }), err::kDiskFull);
  out->close();
  EXPECT_EQ(faults.operations(), 4u);
  EXPECT_EQ(drives.read(kFile), "old\r\na");

  // Only renames count: the opens, writes and closes before it pass.
  faults.failOperation(1, FileOperation::kRename);
  auto temp = faults.openNew("C:\\data\\t");
  temp->write("x");
  temp->close();
  EXPECT_EQ(failureNumber([&] { faults.replaceFile("C:\\data\\t", kFile); }),
            err::kPermissionDenied);
  EXPECT_EQ(drives.read(kFile), "old\r\na");
  EXPECT_EQ(faults.operations(), 4u);
  EXPECT_EQ(faults.faultsFired(), 1u);
}

TEST_F(FaultInjectionTest, UncountedQueriesPassAndDisarmStopsFaults) {
  faults.failOperation(1);
  EXPECT_TRUE(faults.fileExists(kFile));
  EXPECT_TRUE(faults.directoryExists("C:\\data"));
  EXPECT_FALSE(faults.listDirectory("C:\\data", kDirectory).empty());
  EXPECT_EQ(faults.attributes(kFile), kArchive & faults.attributes(kFile));
  EXPECT_EQ(faults.operations(), 0u);
  faults.disarm();
  EXPECT_EQ(failureNumber([&] { faults.deleteFile(kFile); }), 0);
  EXPECT_EQ(faults.faultsFired(), 0u);
}

// A full disk takes the bytes up to the limit, fails that write, and fails every later one.
TEST_F(FaultInjectionTest, FullDiskWritesUpToTheLimitThenFailsEveryWrite) {
  struct Case {
    std::uint64_t limit;
    std::string onDisk;
  };
  for (const Case& c : std::vector<Case>{{0, ""}, {3, "abc"}, {5, "abcde"}, {8, "abcdefg"}}) {
    SCOPED_TRACE(c.limit);
    faults.failWritesAfter(c.limit);
    auto out = faults.openNew("C:\\data\\full");
    int first = failureNumber([&] { out->write("abcde"); });
    int second = failureNumber([&] { out->write("fg"); });
    out->close();
    EXPECT_EQ(first, c.limit < 5 ? err::kDiskFull : 0);
    EXPECT_EQ(second, c.limit < 7 ? err::kDiskFull : 0);
    EXPECT_EQ(drives.read("C:\\data\\full"), c.onDisk);
    EXPECT_EQ(faults.bytesWritten(), c.onDisk.size());
  }
}

// The drive's stream cuts a file back to a size whether the bytes are still buffered or on
// disk already, as after a short write.
TEST_F(FaultInjectionTest, TruncateTakesBackBufferedAndWrittenBytes) {
  auto out = drives.fs().openAppend(kFile);
  EXPECT_EQ(out->size(), 5u);
  out->write("buffered");
  EXPECT_EQ(out->size(), 13u);
  out->truncate(7);
  EXPECT_EQ(out->size(), 7u);
  out->flush();
  EXPECT_EQ(drives.read(kFile), "old\r\nbu");
  out->write(std::string(70 * 1024, 'x'));  // larger than the stream's buffer: goes to disk
  out->truncate(5);
  out->write("!");
  out->close();
  EXPECT_EQ(drives.read(kFile), "old\r\n!");
}

// An append that is not committed (a failure, a short write on a full disk, a failed flush)
// leaves the file exactly as it was; a committed one stays.
TEST_F(FaultInjectionTest, AppendTransactionTakesBackWhatWasNotCommitted) {
  FileSlots files(faults);
  struct Case {
    const char* name;
    std::function<void()> arm;
    bool commits;
    std::string expected;
  };
  const std::vector<Case> cases{
      {"committed", [] {}, true, "old\r\nrecord one\r\nrecord two\r\n"},
      {"short write", [&] { faults.failWritesAfter(14); }, false, "old\r\n"},
      {"failed flush", [&] { faults.failOperation(1, FileOperation::kFlush); }, false, "old\r\n"},
      {"failed second write", [&] { faults.failOperation(2, FileOperation::kWrite); }, false,
       "old\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    drives.write(kFile, "old\r\n");
    faults.disarm();
    c.arm();
    int number = failureNumber([&] {
      files.openForAppend(1, kFile);
      AppendTransaction append(files, 1);
      files.writer(1).write("record one\r\n");
      files.writer(1).write("record two\r\n");
      append.commit();
    });
    EXPECT_EQ(number != 0, !c.commits);
    files.closeAll();
    EXPECT_EQ(drives.read(kFile), c.expected);
  }
}

}  // namespace
}  // namespace cw::platform

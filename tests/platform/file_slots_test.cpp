#include "platform/file_slots.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "base/failure.h"
#include "support/chunked_input.h"
#include "support/failure_number.h"
#include "support/temp_drives.h"

namespace cw::platform {
namespace {

using cw::testing::TempDrives;

using cw::testing::failureNumber;

TEST(ByteReaderTest, ReadsEveryByteAcrossRefills) {
  std::string bytes;
  for (int i = 0; i < 200000; ++i) bytes += static_cast<char>(i * 7);
  for (std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{70000}}) {
    ByteReader reader(std::make_unique<testing::ChunkedInput>(bytes, chunk));
    std::string seen;
    while (!reader.atEnd()) {
      ASSERT_EQ(reader.peek(), static_cast<unsigned char>(bytes[seen.size()]));
      std::string_view buffered = reader.buffered();
      if (seen.size() % 2 == 0 && buffered.size() > 5) {
        seen.append(buffered.substr(0, 5));
        reader.advance(5);
      } else {
        seen += static_cast<char>(reader.get());
      }
    }
    EXPECT_EQ(seen, bytes) << "chunk " << chunk;
    EXPECT_EQ(reader.get(), -1);
    EXPECT_TRUE(reader.buffered().empty());
  }
}

TEST(FileSlotsTest, ANumberMustBeClosedBeforeItIsOpenedAgain) {
  TempDrives drives;
  drives.write("C:\\a.txt", "first");
  drives.write("C:\\b.txt", "second");
  FileSlots files(drives.fs());
  files.openForInput(1, "C:\\a.txt");
  EXPECT_EQ(failureNumber([&] { files.openForInput(1, "C:\\b.txt"); }), err::kFileAlreadyOpen);
  EXPECT_EQ(failureNumber([&] { files.openForAppend(1, "C:\\b.txt"); }), err::kFileAlreadyOpen);
  EXPECT_EQ(files.reader(1).get(), 'f');  // the first file is still the one open
  files.close(1);
  files.close(1);  // closing a closed number does nothing
  files.openForAppend(1, "C:\\b.txt");
  EXPECT_TRUE(files.isOpen(1));
  EXPECT_FALSE(files.isOpen(2));
}

TEST(FileSlotsTest, OnlyNumbersOneToThreeExist) {
  TempDrives drives;
  drives.write("C:\\a.txt", "");
  FileSlots files(drives.fs());
  for (int number : {0, 4, -1}) {
    EXPECT_EQ(failureNumber([&] { files.openForInput(number, "C:\\a.txt"); }),
              err::kBadFileNameOrNumber);
    EXPECT_EQ(failureNumber([&] { files.close(number); }), err::kBadFileNameOrNumber);
    EXPECT_EQ(failureNumber([&] { files.reader(number); }), err::kBadFileNameOrNumber);
  }
  for (int number : {1, 2, 3}) files.openForInput(number, "C:\\a.txt");
}

TEST(FileSlotsTest, ReadingAndWritingNeedTheMatchingMode) {
  TempDrives drives;
  drives.write("C:\\a.txt", "x");
  FileSlots files(drives.fs());
  files.openForInput(1, "C:\\a.txt");
  files.openForAppend(2, "C:\\b.txt");
  EXPECT_EQ(failureNumber([&] { files.writer(1); }), err::kBadFileMode);
  EXPECT_EQ(failureNumber([&] { files.reader(2); }), err::kBadFileMode);
  EXPECT_EQ(failureNumber([&] { files.reader(3); }), err::kBadFileNameOrNumber);
  EXPECT_EQ(failureNumber([&] { files.writer(3); }), err::kBadFileNameOrNumber);
}

TEST(FileSlotsTest, ClosingAnAppendedFileWritesItAndFailedOpensLeaveTheNumberFree) {
  TempDrives drives;
  FileSlots files(drives.fs());
  files.openForAppend(1, "C:\\a.txt");
  files.writer(1).write("record\r\n");
  files.close(1);
  EXPECT_EQ(drives.read("C:\\a.txt"), "record\r\n");
  EXPECT_EQ(failureNumber([&] { files.openForInput(2, "C:\\missing.txt"); }), err::kFileNotFound);
  EXPECT_FALSE(files.isOpen(2));
  files.openForAppend(2, "C:\\a.txt");
  files.openForInput(3, "C:\\a.txt");
  files.closeAll();
  for (int number : {1, 2, 3}) EXPECT_FALSE(files.isOpen(number));
}

TEST(ReplaceFileContentTest, WhateverTheWriterThrowsLeavesTheOldContentAndNoFreshFile) {
  struct Case {
    const char* what;
    std::function<void()> fail;
  } cases[] = {
      {"a failure", [] { throw Failure(err::kDiskFull, "Disk full"); }},
      {"another exception", [] { throw std::runtime_error("the converter's own error"); }},
  };
  for (const Case& c : cases) {
    TempDrives drives;
    drives.write("C:\\a.xml", "old");
    EXPECT_ANY_THROW(replaceFileContentWith(drives.fs(), "C:\\a.xml", [&](OutputStream& out) {
      out.write(std::string(3 << 20, 'x'));  // some of it written through already
      c.fail();
    })) << c.what;
    EXPECT_EQ(drives.read("C:\\a.xml"), "old") << c.what;
    EXPECT_FALSE(drives.fs().fileExists("C:\\a.xml.new")) << c.what;
  }
}

TEST(ReplaceFileContentTest, AContentWrittenInManyPiecesArrivesWhole) {
  TempDrives drives;
  drives.write("C:\\a.xml", "old");
  std::string expected;
  replaceFileContentWith(drives.fs(), "C:\\a.xml", [&](OutputStream& out) {
    // Pieces of all sizes, past the points where the write-back of a large file is started.
    for (int i = 0; i < 300; ++i) {
      const std::string piece(static_cast<std::size_t>(i * 97 % 70000),
                              static_cast<char>('a' + i % 26));
      out.write(piece);
      expected += piece;
    }
  });
  EXPECT_EQ(drives.read("C:\\a.xml"), expected);
}

#ifndef _WIN32
// Linux has a device that is always full.
TEST(FileSlotsTest, AFailedCloseStillFreesTheNumber) {
  DriveFileSystem::Options options;
  options.drives['Z'] = "/";
  options.currentDirectory = "Z:\\";
  DriveFileSystem fs(options);
  if (!fs.fileExists("Z:\\dev\\full")) GTEST_SKIP() << "no /dev/full";
  FileSlots files(fs);
  files.openForAppend(1, "Z:\\dev\\full");
  files.writer(1).write("x");
  EXPECT_EQ(failureNumber([&] { files.close(1); }), err::kDiskFull);
  EXPECT_FALSE(files.isOpen(1));
}

#endif

}  // namespace
}  // namespace cw::platform

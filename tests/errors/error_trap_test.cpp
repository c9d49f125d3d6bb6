#include "errors/error_trap.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>

#include "base/failure.h"
#include "errors/error_report.h"
#include "support/test_app.h"

namespace cw::errors {
namespace {

class ErrorTrapTest : public ::testing::Test {
 protected:
  ErrorTrapTest() {
    t.module.identity.ProductName = "CorbelwickBookmarks";
    t.module.identity.ProductVersion = "v2.19";
  }

  // The MODULE line of the one report shown so far.
  std::string reportedModule() {
    EXPECT_EQ(t.toolkit.messages.size(), 1u);
    if (t.toolkit.messages.empty()) return "";
    const std::string& text = t.toolkit.messages[0];
    auto from = text.find("MODULE: ");
    auto to = text.find("\r\n", from);
    return text.substr(from, to - from);
  }

  testing::TestApp t;
};

TEST_F(ErrorTrapTest, LabelNamesRoutineUnitAndTheLastStepBegun) {
  ErrorTrap trap(t.module.report, "btnOpen_Click", "frmLoad");
  bool finished = trap.run([&] {
    trap.at(47);
    trap.at(48);
    throw Failure(err::kFileNotFound, "File not found");
  });
  EXPECT_FALSE(finished);
  EXPECT_EQ(trap.label(), "btnOpen_Click frmLoad Line : 48");
  EXPECT_EQ(reportedModule(), "MODULE: btnOpen_Click frmLoad Line : 48");
  EXPECT_NE(t.toolkit.messages[0].find("ERROR NUMBER: 53\r\nMODULE"), std::string::npos);
  EXPECT_NE(t.toolkit.messages[0].find("ERROR DESCRIPTION: File not found\r\n"), std::string::npos);
}

TEST_F(ErrorTrapTest, LabelEndsInABlankWhenNoStepBegan) {
  ErrorTrap trap(t.module.report, "btnOpen_Click", "frmLoad");
  trap.run([] { throw Failure(err::kHostFailure, "Automation error"); });
  EXPECT_EQ(trap.label(), "btnOpen_Click frmLoad ");
  EXPECT_EQ(reportedModule(), "MODULE: btnOpen_Click frmLoad ");
  EXPECT_NE(t.toolkit.messages[0].find("ERROR NUMBER: -2147467259\r\n"), std::string::npos);
}

TEST_F(ErrorTrapTest, ClosesTheRoutinesOwnFileNumbersOnly) {
  t.drives.makeDirectory("C:\\lists");
  t.module.files.openForAppend(1, "C:\\lists\\a.bmk");
  t.module.files.openForAppend(2, "C:\\lists\\b.bmk");
  t.module.files.openForAppend(3, "C:\\lists\\c.bmk");
  ErrorTrap trap(t.module.report, "btnOpen_Click", "frmLoad", {1, 2});
  trap.run([&] {
    trap.at(1);
    throw Failure(err::kDiskFull, "Disk full");
  });
  EXPECT_FALSE(t.module.files.isOpen(1));
  EXPECT_FALSE(t.module.files.isOpen(2));
  EXPECT_TRUE(t.module.files.isOpen(3));
  EXPECT_EQ(t.toolkit.messages.size(), 1u);
  t.module.files.close(3);
}

TEST_F(ErrorTrapTest, KeepsWhatTheBodyDidBeforeTheFailure) {
  int result = 0;
  ErrorTrap trap(t.module.report, "fDoesFileExist", "CorbelwickGIS_IO");
  trap.run([&] {
    trap.at(1);
    result = -1;
    trap.at(2);
    throw Failure(err::kPermissionDenied, "Permission denied");
  });
  EXPECT_EQ(result, -1);
  EXPECT_EQ(reportedModule(), "MODULE: fDoesFileExist CorbelwickGIS_IO Line : 2");
}

TEST_F(ErrorTrapTest, ABodyWithoutFailureShowsNothing) {
  ErrorTrap trap(t.module.report, "btnZoom_Click", "frmMain", {1});
  EXPECT_TRUE(trap.run([&] { trap.at(1); }));
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST_F(ErrorTrapTest, EachFailureGivesItsOwnReport) {
  ErrorTrap first(t.module.report, "btnZoom_Click", "frmMain");
  first.run([&] {
    first.at(4);
    throw Failure(err::kTypeMismatch, "Type mismatch");
  });
  ErrorTrap second(t.module.report, "btnZoom_Click", "frmMain");
  second.run([&] {
    second.at(9);
    throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
  });
  ASSERT_EQ(t.toolkit.messages.size(), 2u);
  EXPECT_EQ(t.toolkit.messages[0],
            ReportText("CorbelwickBookmarks", "v2.19", "btnZoom_Click frmMain Line : 4", 13,
                       "Type mismatch"));
  EXPECT_EQ(t.toolkit.messages[1],
            ReportText("CorbelwickBookmarks", "v2.19", "btnZoom_Click frmMain Line : 9", 9,
                       "Subscript out of range"));
}

TEST_F(ErrorTrapTest, OutOfMemoryIsReportedAndProgrammingErrorsPassThrough) {
  ErrorTrap trap(t.module.report, "Form_Load", "frmHelp");
  trap.run([] { throw std::bad_alloc(); });
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("ERROR NUMBER: 7\r\n"), std::string::npos);

  // A mistyped control name or a bad cast must fail the test, not become a report for the user.
  EXPECT_THROW(trap.run([] { throw std::out_of_range("vector index"); }), std::out_of_range);
  EXPECT_THROW(trap.run([] { throw std::bad_cast(); }), std::bad_cast);
  EXPECT_THROW(ignoreFailure([] { throw std::logic_error("bug"); }), std::logic_error);
  EXPECT_EQ(t.toolkit.messages.size(), 1u);
}

TEST(IgnoreFailure, SkipsAFailingStatementAndGoesOn) {
  int reached = 0;
  ignoreFailure([&] { throw Failure(err::kPathNotFound, "Path not found"); });
  ignoreFailure([&] { ++reached; });
  EXPECT_EQ(reached, 1);
}

}  // namespace
}  // namespace cw::errors

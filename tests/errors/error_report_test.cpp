#include "errors/error_report.h"

#include <gtest/gtest.h>

#include <string>

#include "base/failure.h"
#include "support/test_app.h"

namespace cw::errors {
namespace {

std::size_t countOf(const std::string& text, std::string_view piece) {
  std::size_t count = 0;
  for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
    ++count;
  }
  return count;
}

TEST(ReportText, IsTheNineteenLinesJoinedByCrLfByteForByte) {
  const std::string expected =
      "We're sorry, an unexpected error has occurred.\r\n"
      "\r\n"
      "Please email support@corbelwickgis.example and we'll\r\n"
      "be happy to help out.\r\n"
      "\r\n"
      "Please let us know the following:\r\n"
      "\r\n"
      "APPLICATION: CorbelwickBookmarks v2.19\r\n"
      "ERROR NUMBER: 53\r\n"
      "MODULE: btnOpen_Click frmLoad Line : 48\r\n"
      "ERROR DESCRIPTION: File not found\r\n"
      "\r\n"
      "If possible, please attach a screenshot of this\r\n"
      "message with your ArcMap project in the background.\r\n"
      "You can do this by pressing <CTRL> and <Prnt Screen>\r\n"
      "and then pasting the image into a graphics application\r\n"
      "such as Paint. Saving the image as a JPG is preferrable.\r\n"
      "\r\n"
      "Thank you!";
  const std::string text = ReportText("CorbelwickBookmarks", "v2.19",
                                      "btnOpen_Click frmLoad Line : 48", 53, "File not found");
  EXPECT_EQ(text, expected);
  EXPECT_EQ(countOf(text, "\r\n"), 18u);
  EXPECT_EQ(countOf(text, "\n"), 18u);  // no lone line feed
  EXPECT_EQ(countOf(text, "\r\n\r\n"), 5u);
  EXPECT_FALSE(text.ends_with("\r\n"));
}

TEST(ReportText, ShowsAHostFailureCodeAsANegativeDecimal) {
  const std::string text = ReportText("CorbelwickBookmarks", "v2.19", "Frame frmMain Line : 2",
                                      err::kHostFailure, "Automation error");
  EXPECT_NE(text.find("\r\nERROR NUMBER: -2147467259\r\n"), std::string::npos);
}

TEST(ReportText, KeepsAnEmptyDescriptionLineBeforeTheEmptyLine) {
  const std::string text = ReportText("CorbelwickBookmarks", "v2.19", "Form_Load frmHelp ", 5, "");
  EXPECT_NE(text.find("\r\nMODULE: Form_Load frmHelp \r\nERROR DESCRIPTION: \r\n\r\nIf possible"),
            std::string::npos);
}

TEST(ReportText, InsertsLabelAndDescriptionUntrimmed) {
  const std::string text = ReportText("P", "v1", "  odd label ", 1, " first\r\nsecond ");
  EXPECT_NE(text.find("\r\nAPPLICATION: P v1\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nMODULE:   odd label \r\nERROR DESCRIPTION:  first\r\nsecond \r\n\r\n"),
            std::string::npos);
}

TEST(FormatErrorLine, IsEmptyForZeroAndOtherwiseLineAndTheNumber) {
  struct Case {
    std::int32_t line;
    const char* expected;
  };
  for (const Case& c : {Case{0, ""}, Case{48, "Line : 48"}, Case{1, "Line : 1"},
                        Case{-7, "Line : -7"}, Case{2147483647, "Line : 2147483647"}}) {
    EXPECT_EQ(FormatErrorLine(c.line), c.expected) << c.line;
  }
}

TEST(ReportError, ShowsOneOkBoxWithTheProductOfTheRunningState) {
  testing::TestApp t;
  t.module.identity.ProductName = "CorbelwickBookmarks";
  t.module.identity.ProductVersion = "v2.19";
  t.module.report.ReportError("btnZoom_Click frmMain Line : 3", 91, "Object variable not set");
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_EQ(t.toolkit.messages[0],
            ReportText("CorbelwickBookmarks", "v2.19", "btnZoom_Click frmMain Line : 3", 91,
                       "Object variable not set"));
  ASSERT_EQ(t.toolkit.transcript.size(), 1u);
  EXPECT_TRUE(t.toolkit.transcript[0].starts_with("MSGBOX \"We're sorry"));
  EXPECT_FALSE(t.toolkit.transcript[0].ends_with("-> Yes"));
}

}  // namespace
}  // namespace cw::errors

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "store/list_format.h"
#include "support/test_app.h"

namespace cw {
namespace {

using testing::TestApp;
using Calls = std::vector<std::string>;

const std::string kDir = TestApp::programDir();
const std::string kDefaultList = kDir + "bookmarks_default.bmk";
const std::string kNoData = "Please add data before using CorbelwickBookmarks.";

// The MODULE line of a report.
std::string moduleOf(const std::string& report) {
  auto from = report.find("MODULE: ");
  if (from == std::string::npos) return "(no report)";
  return report.substr(from, report.find("\r\n", from) - from);
}

TEST(OnClickDataCheck, AsksEveryDataFrameAndNeedsOneLayerSomewhere) {
  struct Case {
    const char* name;
    const char* document;
    bool passes;
    Calls calls;
  };
  const std::vector<Case> cases = {
      {"no data frame", R"({"dataFrames": []})", false, {"dataFrameCount"}},
      {"only empty frames",
       R"({"dataFrames": [{"name": "A"}, {"name": "B", "layers": []}]})",
       false,
       {"dataFrameCount", R"(layerCount "A")", R"(layerCount "B")"}},
      {"first empty, second with a layer",
       R"({"dataFrames": [{"name": "A"}, {"name": "B", "layers": [{"name": "Roads"}]}]})",
       true,
       {"dataFrameCount", R"(layerCount "A")", R"(layerCount "B")"}},
      {"first with a layer, second empty",
       R"({"dataFrames": [{"name": "A", "layers": [{"name": "Roads"}]}, {"name": "B"}]})",
       true,
       {"dataFrameCount", R"(layerCount "A")", R"(layerCount "B")"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestApp t(c.document);
    t.command.OnCreate(&t.host);
    t.host.document().calls.clear();
    t.command.OnClick();

    EXPECT_EQ(t.module.session.MapHost, &t.host);
    EXPECT_EQ(t.module.session.HostDocument, &t.host.document());
    const Calls& calls = t.host.document().calls;
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + std::min(calls.size(), c.calls.size())),
              c.calls);
    if (c.passes) {
      EXPECT_TRUE(t.toolkit.messages.empty());
      EXPECT_EQ(t.module.session.ActiveListPath, kDefaultList);
      EXPECT_EQ(t.module.session.FormatTag, "Bookmarks_v2.0");
      ASSERT_EQ(t.host.frames().all().size(), 1u);
      EXPECT_TRUE(t.host.frames().all()[0]->visible());
      EXPECT_TRUE(t.window().isVisible());
    } else {
      EXPECT_EQ(t.toolkit.messages, (std::vector<std::string>{kNoData}));
      EXPECT_EQ(t.toolkit.transcript, (std::vector<std::string>{"MSGBOX \"" + kNoData + "\""}));
      EXPECT_EQ(t.module.session.ActiveListPath, "");
      EXPECT_EQ(t.module.session.FormatTag, "");
      EXPECT_TRUE(t.host.frames().all().empty());
      EXPECT_FALSE(t.window().isLoaded());
    }
  }
}

TEST(OnClickDataCheck, ARefusedClickLeavesTheListOfTheLastClick) {
  TestApp t(R"({"dataFrames": [{"name": "A", "layers": [{"name": "Roads"}]}]})");
  t.start();
  t.module.session.ActiveListPath = "C:\\elsewhere.bmk";
  t.host.document().dataFrame(0).layers.clear();
  t.command.OnClick();
  EXPECT_EQ(t.toolkit.messages, (std::vector<std::string>{kNoData}));
  EXPECT_EQ(t.module.session.ActiveListPath, "C:\\elsewhere.bmk");
}

TEST(OnClickStartingList, TheLastFieldOfThePointerFileWinsUnlessEmpty) {
  struct Case {
    const char* name;
    std::optional<std::string> pointerFile;  // nullopt: the file is missing
    std::string expected;
  };
  const std::string other = "C:\\lists\\other.bmk";
  const std::string second = "C:\\lists\\second.bmk";
  const std::vector<Case> cases = {
      {"missing", std::nullopt, kDefaultList},
      {"empty", "", kDefaultList},
      {"one record", "\"" + other + "\"\r\n", other},
      {"one record without a line end", "\"" + other + "\"", other},
      {"two records, the second wins", "\"" + other + "\"\r\n\"" + second + "\"\r\n", second},
      {"a record holding the empty string", "\"\"\r\n", kDefaultList},
      {"a path, then the empty string", "\"" + other + "\"\r\n\"\"\r\n", kDefaultList},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestApp t;
    t.drives.makeDirectory("C:\\lists");
    t.command.OnCreate(&t.host);
    if (c.pointerFile) {
      t.drives.write(kDir + "config", *c.pointerFile);
    } else {
      t.module.services.fs.deleteFile(kDir + "config");
    }
    t.command.OnClick();

    EXPECT_EQ(t.module.session.ActiveListPath, c.expected);
    EXPECT_EQ(t.window().Text1().text(), c.expected);  // the window started on it
    EXPECT_TRUE(t.window().isVisible());
    EXPECT_FALSE(t.module.files.isOpen(1));
    EXPECT_TRUE(t.toolkit.messages.empty()) << t.toolkit.messages.front();
    EXPECT_EQ(t.module.services.fs.fileExists(kDir + "config"), c.pointerFile.has_value());
  }
}

TEST(OnClickStartingList, AClickWhileShownGoesBackToTheStartingListWithoutReloading) {
  TestApp t;
  t.start();
  ASSERT_TRUE(t.window().isVisible());
  t.window().lstbxGroup().addItem("On screen");
  t.module.session.ActiveListPath = "C:\\elsewhere.bmk";

  t.drives.write(kDir + "config", "\"C:\\named.bmk\"\r\n");
  t.command.OnClick();

  EXPECT_EQ(t.module.session.ActiveListPath, "C:\\named.bmk");
  EXPECT_EQ(t.window().Text1().text(), kDefaultList);  // the screen stays as it was
  EXPECT_EQ(t.window().lstbxGroup().count(), 1);
  EXPECT_EQ(t.host.frames().all().size(), 1u);
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST(OnClickFailures, AHostFailureInTheDataCheckIsReportedAndShowsNothing) {
  TestApp t(R"({"dataFrames": [{"name": "A", "layers": [{"name": "Roads"}]}]})");
  t.command.OnCreate(&t.host);
  t.host.document().failNext("layerCount");
  t.command.OnClick();

  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  const std::string& report = t.toolkit.messages[0];
  EXPECT_EQ(moduleOf(report), "MODULE: ICommand_OnClick CorbelwickBookmarks Line : 2");
  EXPECT_NE(report.find("\r\nERROR NUMBER: -2147467259\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\nERROR DESCRIPTION: Automation error\r\n"), std::string::npos);
  EXPECT_EQ(t.module.session.ActiveListPath, "");
  EXPECT_TRUE(t.host.frames().all().empty());

  t.command.OnClick();  // the next click goes through
  EXPECT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_TRUE(t.window().isVisible());
}

TEST(OnClickFailures, ADocumentThatCannotBeReachedIsReported) {
  TestApp t;
  t.start();
  t.host.setDocument(nullptr);
  t.command.OnClick();

  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_EQ(moduleOf(t.toolkit.messages[0]),
            "MODULE: ICommand_OnClick CorbelwickBookmarks Line : 1");
  EXPECT_EQ(t.module.session.MapHost, &t.host);
  EXPECT_EQ(t.module.session.HostDocument, nullptr);  // the dropped document is not kept
}

TEST(OnClickFailures, AClickAfterAFailedCreationIsReportedNotFollowed) {
  TestApp t(TestApp::kOneMapDocument, "C", "");
  t.command.OnCreate(&t.host);
  ASSERT_EQ(t.toolkit.messages.size(), 2u);  // the creation's own messages
  t.command.OnClick();

  ASSERT_EQ(t.toolkit.messages.size(), 3u);
  EXPECT_EQ(moduleOf(t.toolkit.messages[2]),
            "MODULE: ICommand_OnClick CorbelwickBookmarks Line : 6");
  EXPECT_NE(t.toolkit.messages[2].find("\r\nERROR NUMBER: 91\r\n"), std::string::npos);
  EXPECT_TRUE(t.host.frames().all().empty());
}

TEST(OnClickFailures, AnUnreadablePointerFileIsReportedAndTheDefaultListOpens) {
  TestApp t;
  t.command.OnCreate(&t.host);
  // An unterminated quote runs past the end of the file.
  t.drives.write(kDir + "config", "\"C:\\lists\\broken.bmk");
  t.command.OnClick();

  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_EQ(moduleOf(t.toolkit.messages[0]),
            "MODULE: ICommand_OnClick CorbelwickBookmarks Line : 5");
  EXPECT_FALSE(t.module.files.isOpen(1));
  EXPECT_EQ(t.module.session.ActiveListPath, kDefaultList);  // set before the failure, kept
  // The window still opens, so another list can be chosen.
  ASSERT_EQ(t.host.frames().all().size(), 1u);
  EXPECT_TRUE(t.host.frames().all()[0]->visible());
  EXPECT_EQ(t.window().Text1().text(), kDefaultList);
}

}  // namespace
}  // namespace cw

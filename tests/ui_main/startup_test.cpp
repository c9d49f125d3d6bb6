#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/list_lines.h"
#include "support/test_app.h"

namespace cw::ui {
namespace {

using platform::MessageResult;
using testing::bookmark;
using testing::group;
using testing::header;
using testing::TestApp;

const std::string kList = "C:\\lists\\a.bmk";

// The command starts on `kList` holding `content` (nothing written when `content` is null).
void startOnList(TestApp& t, const char* content) {
  t.drives.write(TestApp::programDir() + "config", "\"" + kList + "\"\r\n");
  if (content) t.drives.write(kList, content);
  t.drives.makeDirectory("C:\\lists");
  t.start();
}

bool transcriptHas(const TestApp& t, const std::string& line) {
  const auto& lines = t.toolkit.transcript;
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(StartUp, MissingListGetsExactlyOneHeaderAndNoGroups) {
  TestApp t;
  startOnList(t, nullptr);
  EXPECT_EQ(t.drives.read(kList), header());
  EXPECT_EQ(t.window().Text1().text(), kList);
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
  EXPECT_EQ(t.window().lstbxExtentName().count(), 0);
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST(StartUp, EmptyListFileGetsItsHeader) {
  TestApp t;
  startOnList(t, "");
  EXPECT_EQ(t.drives.read(kList), header());
}

TEST(StartUp, ExistingListIsShownSortedAndLeftByteForByte) {
  struct Case {
    std::string content;
    std::vector<std::string> groups;
  } cases[] = {
      {header(), {}},
      {header() + group("Roads") + bookmark("Roads", "Main St") + group("parks") + group("Parks") +
           bookmark("Alpha", "x", "-122.5,37.25,-122,37.75"),
       {"Alpha", "parks", "Parks", "Roads"}},
      // No header at all: a list another program wrote keeps its bytes.
      {group("Only"), {"Only"}},
  };
  for (const auto& c : cases) {
    TestApp t;
    startOnList(t, c.content.c_str());
    EXPECT_EQ(t.drives.read(kList), c.content);
    EXPECT_EQ(t.window().lstbxGroup().items(), c.groups) << c.content;
    EXPECT_EQ(t.window().lstbxGroup().selectedIndex(), ListBox::kNone);
    EXPECT_TRUE(t.toolkit.messages.empty());
  }
}

TEST(StartUp, CutShortListEndsInTheReportAndListsNothing) {
  TestApp t;
  const std::string content = header() + group("Parks") + "\"Roads\",\"x\",1,2\r\n";
  startOnList(t, content.c_str());
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("ERROR NUMBER: 62\r\n"), std::string::npos);
  EXPECT_NE(t.toolkit.messages[0].find("MODULE: Form_Load frmMain Line : 6\r\n"),
            std::string::npos);
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
  EXPECT_EQ(t.drives.read(kList), content);
  // The window is shown all the same.
  EXPECT_TRUE(t.window().isVisible());
}

TEST(StartUp, ListInMissingDirectoryEndsInTheReportAtItsCreation) {
  TestApp t;
  t.drives.write(TestApp::programDir() + "config", "\"C:\\nowhere\\a.bmk\"\r\n");
  t.start();
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("MODULE: Form_Load frmMain Line : 3\r\n"),
            std::string::npos);
  EXPECT_EQ(t.window().Text1().text(), "C:\\nowhere\\a.bmk");
}

TEST(StartUp, CentresTheFrameOnTheScreen) {
  struct Case {
    platform::ScreenMetrics screen;
    int left;
    int top;
  } cases[] = {
      // 512 - 205 = 307; 384 - 183.5 rounds to the even 200.
      {{1024 * 15, 768 * 15, 15, 15}, 307, 200},
      // 640 - 256.25 and 512 - 229.375.
      {{1280 * 12, 1024 * 12, 12, 12}, 384, 283},
      // A screen smaller than the window puts it above and left of the screen's corner.
      {{300 * 15, 200 * 15, 15, 15}, -55, -84},
  };
  for (const auto& c : cases) {
    TestApp t;
    t.toolkit.metrics = c.screen;
    t.start();
    standin::Frame* frame = dynamic_cast<standin::Frame*>(t.window().Frame());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->left(), c.left);
    EXPECT_EQ(frame->top(), c.top);
    const auto& calls = t.host.document().calls;
    std::string move =
        "frame 0 move " + std::to_string(c.left) + " " + std::to_string(c.top) + " 0 0";
    EXPECT_NE(std::find(calls.begin(), calls.end(), move), calls.end()) << move;
  }
}

constexpr std::string_view kDocumentWithBookmarks = R"({"dataFrames": [
    {"name": "Main Map", "extent": [0, 0, 100, 100],
     "layers": [{"name": "Roads", "kind": "feature", "visible": true}],
     "bookmarks": [{"name": "Harbour", "extent": [10, 10, 20, 20]}]}]})";

constexpr const char* kImportQuestion = "Would you like to import your existing ArcMap bookmarks?";

TEST(ImportOffer, NoKeepsTheMarkerAndAsksAgainAtTheNextLoad) {
  TestApp t(kDocumentWithBookmarks);
  t.toolkit.queueAnswer(MessageResult::kNo);
  t.start();
  EXPECT_TRUE(transcriptHas(t, "MSGBOX \"" + std::string(kImportQuestion) + "\" -> No"));
  EXPECT_TRUE(t.drives.exists(t.module.paths.InitMarkerFile()));
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);

  t.window().fire("btnClose", Event::kClick);
  t.toolkit.queueAnswer(MessageResult::kNo);
  t.command.OnClick();
  EXPECT_EQ(std::count(t.toolkit.messages.begin(), t.toolkit.messages.end(), kImportQuestion), 2);
  EXPECT_EQ(t.toolkit.unusedAnswers(), 0u);
}

TEST(ImportOffer, YesImportsAndDeletesTheMarker) {
  TestApp t(kDocumentWithBookmarks);
  t.toolkit.queueAnswer(MessageResult::kYes);
  t.start();
  EXPECT_TRUE(transcriptHas(t, "MSGBOX \"" + std::string(kImportQuestion) + "\" -> Yes"));
  EXPECT_FALSE(t.drives.exists(t.module.paths.InitMarkerFile()));
  EXPECT_EQ(t.window().lstbxGroup().count(), 1);  // the import group

  // Closed and opened again: no marker, no question.
  std::size_t before = t.toolkit.messages.size();
  t.window().fire("btnClose", Event::kClick);
  t.command.OnClick();
  EXPECT_EQ(t.toolkit.messages.size(), before);
}

TEST(ImportOffer, IsNotMadeWithoutMarkerBookmarksOrMapView) {
  struct Case {
    const char* what;
    std::string_view document;
    bool deleteMarker;
    bool layoutActive;
  } cases[] = {
      {"no bookmarks in the active data frame", TestApp::kOneMapDocument, false, false},
      {"no marker", kDocumentWithBookmarks, true, false},
      {"the page layout is the active view", kDocumentWithBookmarks, false, true},
  };
  for (const auto& c : cases) {
    TestApp t(c.document);
    t.command.OnCreate(&t.host);
    if (c.deleteMarker) t.module.services.fs.deleteFile(t.module.paths.InitMarkerFile());
    t.host.document().setLayoutActive(c.layoutActive);
    t.command.OnClick();
    EXPECT_TRUE(t.toolkit.messages.empty()) << c.what;
    EXPECT_EQ(t.drives.exists(t.module.paths.InitMarkerFile()), !c.deleteMarker) << c.what;
    EXPECT_TRUE(t.window().isVisible()) << c.what;
  }
}

TEST(Close, HidesTheFrameUnloadsAndTheNextClickLoadsAfresh) {
  TestApp t;
  startOnList(t, (header() + group("Parks")).c_str());
  t.window().lstbxGroup().select(0);
  t.window().chkViz().setValue(1);
  t.module.files.openForInput(1, kList);

  t.window().fire("btnClose", Event::kClick);
  standin::Frame* frame = dynamic_cast<standin::Frame*>(t.window().Frame());
  EXPECT_FALSE(frame->visible());
  EXPECT_FALSE(t.window().isLoaded());
  EXPECT_FALSE(t.module.files.isOpen(1));
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
  EXPECT_EQ(t.window().chkViz().value(), 0);
  EXPECT_EQ(t.module.session.SelectedGroup, "Parks");  // process-wide state stays

  // Another list is active by the next click: the start-up runs again on it.
  t.drives.write(TestApp::programDir() + "config", "\"C:\\lists\\b.bmk\"\r\n");
  t.command.OnClick();
  EXPECT_EQ(t.window().Frame(), frame);
  EXPECT_TRUE(frame->visible());
  EXPECT_EQ(t.window().Text1().text(), "C:\\lists\\b.bmk");
  EXPECT_EQ(t.drives.read("C:\\lists\\b.bmk"), header());
  EXPECT_TRUE(t.toolkit.messages.empty());
}

}  // namespace
}  // namespace cw::ui

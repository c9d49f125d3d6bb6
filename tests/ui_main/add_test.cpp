#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "store/side_files.h"
#include "support/list_lines.h"
#include "support/test_app.h"

namespace cw::ui {
namespace {

using testing::bookmark;
using testing::group;
using testing::header;
using testing::TestApp;

const std::string kList = "C:\\lists\\a.bmk";
constexpr const char* kNoWriteAccess =
    "It seems you may not have write access to the current bookmark file: \r\nC:\\lists\\a.bmk";
constexpr const char* kDuplicate = "Duplicate names are not allowed.";

// The command started on `kList` holding `content`.
struct AddTest {
  explicit AddTest(const std::string& content, std::string_view document = TestApp::kOneMapDocument)
      : t(document) {
    t.startOnList(kList, content);
  }
  FrmMain& window() { return t.window(); }
  void selectGroup(const std::string& name) { testing::selectEntry(window().lstbxGroup(), name); }
  void addGroup(std::optional<std::string> answer) {
    t.toolkit.queueInput(std::move(answer));
    window().fire("cmdbtnAddGroup", Event::kClick);
  }
  void addBookmark(std::optional<std::string> answer) {
    t.toolkit.queueInput(std::move(answer));
    window().fire("cmdbtnAddCurExtent", Event::kClick);
  }
  std::string list() { return t.drives.read(kList); }
  std::string layerFile(const std::string& listPath, const std::string& group,
                        const std::string& name) {
    return t.drives.read(
        store::LayerVisibilityPath(t.module.paths.ConfigDir, listPath, group, name));
  }
  TestApp t;
};

TEST(AddGroup, AppendsTheTrimmedNameSelectsItAndMakesItsDirectory) {
  AddTest a(header() + group("Roads") + bookmark("Roads", "x"));
  a.selectGroup("Roads");
  a.addGroup("  Parks  ");
  EXPECT_EQ(a.list(), header() + group("Roads") + bookmark("Roads", "x") + group("Parks"));
  EXPECT_EQ(a.window().lstbxGroup().items(), (std::vector<std::string>{"Parks", "Roads"}));
  EXPECT_EQ(a.window().lstbxGroup().selectedText(), "Parks");
  EXPECT_EQ(a.t.module.session.SelectedGroup, "Parks");
  EXPECT_EQ(a.window().lstbxExtentName().count(), 0);
  EXPECT_TRUE(a.t.module.services.fs.directoryExists(
      store::GroupSideDirectory(a.t.module.paths.ConfigDir, kList, "Parks")));
  EXPECT_TRUE(a.t.toolkit.messages.empty());
  EXPECT_EQ(a.t.toolkit.transcript.back(), "INPUT \"Name the new group:\" -> \"  Parks  \"");
}

TEST(AddGroup, RefusalsShowTheirMessageAndWriteNothing) {
  const std::string content = header() + group("Parks") + bookmark("Parks", "a") +
                              bookmark("Parks", "b") + bookmark("Parks", "c") + group("Roads");
  struct Case {
    std::optional<std::string> answer;
    std::vector<std::string> messages;
  } cases[] = {
      {std::nullopt, {"Groups must have a name"}},
      {"   ", {"Groups must have a name"}},
      {"a/b", {"Invalid group name"}},
      {"Parks.", {"Invalid group name"}},
      {"lpt3", {"Invalid group name"}},
      // A character the list's code page cannot hold would be stored as "?".
      {"Park\xE2\x9C\x93", {"Invalid group name"}},
      // One message for the group record and one for each of its three bookmarks.
      {"Parks", {kDuplicate, kDuplicate, kDuplicate, kDuplicate}},
      {" Roads", {kDuplicate}},
      {"Bookmarks_v2.0", {kDuplicate}},
  };
  for (const auto& c : cases) {
    AddTest a(content);
    a.addGroup(c.answer);
    EXPECT_EQ(a.t.toolkit.messages, c.messages) << c.answer.value_or("(cancel)");
    EXPECT_EQ(a.list(), content) << c.answer.value_or("(cancel)");
    EXPECT_EQ(a.window().lstbxGroup().items(), (std::vector<std::string>{"Parks", "Roads"}));
  }
}

TEST(AddGroup, NameDifferingInCaseOrHoldingCodePageLettersIsANewGroup) {
  AddTest a(header() + group("Parks"));
  a.addGroup("parks");
  a.addGroup("Caf\xC3\xA9");
  EXPECT_TRUE(a.t.toolkit.messages.empty());
  EXPECT_EQ(a.list(), header() + group("Parks") + group("parks") + group("Caf\xE9"));
  EXPECT_EQ(a.window().lstbxGroup().items(),
            (std::vector<std::string>{"Caf\xC3\xA9", "Parks", "parks"}));
  // The list box shows what the list holds: a fresh start-up shows the same entries.
  a.window().fire("btnClose", Event::kClick);
  a.t.command.OnClick();
  EXPECT_EQ(a.window().lstbxGroup().items(),
            (std::vector<std::string>{"Caf\xC3\xA9", "Parks", "parks"}));
}

TEST(AddGroup, ListWithoutWriteAccessIsRefusedBeforeThePrompt) {
  AddTest a(header());
  a.t.module.services.fs.setAttributes(kList, platform::kReadOnly);
  a.window().fire("cmdbtnAddGroup", Event::kClick);
  EXPECT_EQ(a.t.toolkit.messages, std::vector<std::string>{kNoWriteAccess});
  EXPECT_EQ(a.t.toolkit.transcript.size(), 1u);  // no prompt
}

TEST(AddBookmark, AppendsTheActiveViewsExtentReadFourTimes) {
  AddTest a(header() + group("Parks") + group("Roads"));
  a.t.host.document().dataFrame(0).setExtentDirect({-122.5, 37.25, -122, 37.75});
  a.selectGroup("Parks");
  a.t.host.document().calls.clear();
  a.addBookmark("  Riverside ");
  EXPECT_TRUE(a.t.toolkit.messages.empty());
  EXPECT_EQ(a.list(), header() + group("Parks") + group("Roads") +
                          "\"Parks\",\"Riverside\",-122.5,37.25,-122,37.75,,,,\r\n");
  EXPECT_EQ(a.window().lstbxExtentName().items(), std::vector<std::string>{"Riverside"});
  EXPECT_EQ(a.window().lstbxGroup().selectedText(), "Parks");
  const auto& calls = a.t.host.document().calls;
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "activeView"), 4);
  EXPECT_FALSE(a.t.module.files.isOpen(1));
  EXPECT_FALSE(a.t.module.files.isOpen(2));
}

TEST(AddBookmark, WithThePageLayoutActiveStoresTheLayoutsExtent) {
  AddTest a(header() + group("Parks"));
  a.selectGroup("Parks");
  a.t.host.document().setLayoutActive(true);
  host::Envelope page = a.t.host.document().layout->extent();
  a.addBookmark("Sheet");
  EXPECT_EQ(a.list(), header() + group("Parks") +
                          testing::bookmark("Parks", "Sheet",
                                            standin::shortestText(page.XMin) + "," +
                                                standin::shortestText(page.YMin) + "," +
                                                standin::shortestText(page.XMax) + "," +
                                                standin::shortestText(page.YMax)));
}

TEST(AddBookmark, RefusalsShowTheirMessageAndWriteNothing) {
  const std::string content =
      header() + group("Parks") + bookmark("Parks", "a") + bookmark("Roads", "b");
  struct Case {
    std::optional<std::string> answer;
    std::vector<std::string> messages;
  } cases[] = {
      {std::nullopt, {"Bookmarks must have a name"}},
      {"", {"Bookmarks must have a name"}},
      // Blanks only pass the emptiness test before they are trimmed.
      {"   ", {"Invalid bookmark name"}},
      {"what?", {"Invalid bookmark name"}},
      {"CON", {"Invalid bookmark name"}},
      {"\xE2\x9C\x93", {"Invalid bookmark name"}},
      {"a", {kDuplicate}},
      {" a ", {kDuplicate}},
      // The group record counts as a bookmark named like its filler.
      {"ud2s88oew", {kDuplicate}},
  };
  for (const auto& c : cases) {
    AddTest a(content);
    a.selectGroup("Parks");
    a.addBookmark(c.answer);
    EXPECT_EQ(a.t.toolkit.messages, c.messages) << c.answer.value_or("(cancel)");
    EXPECT_EQ(a.list(), content) << c.answer.value_or("(cancel)");
    EXPECT_EQ(a.window().lstbxExtentName().items(), std::vector<std::string>{"a"});
  }
}

TEST(AddBookmark, SameNameInAnotherGroupIsAdded) {
  AddTest a(header() + group("Parks") + bookmark("Roads", "a"));
  a.selectGroup("Parks");
  a.addBookmark("a");
  EXPECT_TRUE(a.t.toolkit.messages.empty());
  EXPECT_EQ(a.window().lstbxExtentName().items(), std::vector<std::string>{"a"});
}

TEST(AddBookmark, WriteAccessIsTestedBeforeTheSelectionAndTheSelectionBeforeThePrompt) {
  {
    AddTest a(header() + group("Parks"));
    a.window().fire("cmdbtnAddCurExtent", Event::kClick);
    EXPECT_EQ(a.t.toolkit.messages, std::vector<std::string>{"Please select a group"});
    EXPECT_EQ(a.t.toolkit.transcript.size(), 1u);  // no prompt
    EXPECT_EQ(a.t.module.session.SelectedGroup, "");
  }
  {
    AddTest a(header() + group("Parks"));
    a.t.module.services.fs.setAttributes(kList, platform::kReadOnly);
    a.window().fire("cmdbtnAddCurExtent", Event::kClick);
    EXPECT_EQ(a.t.toolkit.messages, std::vector<std::string>{kNoWriteAccess});
  }
}

TEST(AddBookmark, DataFramesSharingTheFocusNameRefuseEveryBookmark) {
  AddTest a(header() + group("Parks"), R"({"dataFrames": [
      {"name": "Main Map", "layers": [{"name": "Roads", "kind": "feature"}]},
      {"name": "Main Map", "layers": []}]})");
  a.selectGroup("Parks");
  a.addBookmark("a");
  EXPECT_EQ(a.t.toolkit.messages,
            std::vector<std::string>{"Duplicate Data Frame names are not allowed"});
  EXPECT_EQ(a.list(), header() + group("Parks"));
  EXPECT_EQ(a.window().lstbxExtentName().count(), 0);
}

TEST(AddBookmark, HostFailureWhileTheExtentIsReadEndsInTheReport) {
  AddTest a(header() + group("Parks"));
  a.selectGroup("Parks");
  a.t.host.document().failNext("activeView");
  a.addBookmark("a");
  ASSERT_EQ(a.t.toolkit.messages.size(), 1u);
  EXPECT_NE(a.t.toolkit.messages[0].find("ERROR NUMBER: -2147467259\r\n"), std::string::npos);
  EXPECT_NE(a.t.toolkit.messages[0].find("MODULE: cmdbtnAddCurExtent_Click frmMain Line : 8\r\n"),
            std::string::npos);
  EXPECT_EQ(a.list(), header() + group("Parks"));
}

constexpr std::string_view kLayeredDocument = R"({"dataFrames": [
    {"name": "Main Map", "layers": [
      {"name": "Roads", "kind": "feature", "visible": true},
      {"name": "Imagery", "kind": "raster", "visible": true},
      {"name": "Transport", "kind": "group", "visible": false, "layers": [
        {"name": "Rail", "kind": "feature", "visible": false},
        {"name": "Scan", "kind": "raster", "visible": true},
        {"name": "Bus \"X\"", "kind": "feature", "visible": true},
        {"name": "Nested", "kind": "group", "layers": [
          {"name": "Deep", "kind": "feature", "visible": true}]}]}]},
    {"name": "Inset \"A\"", "layers": [
      {"name": "Parcels", "kind": "feature", "visible": false}]}]})";

TEST(AddBookmark, RememberingVisibilitiesWritesEveryRecordedFeatureLayer) {
  AddTest a(header() + group("Parks"), kLayeredDocument);
  a.selectGroup("Parks");
  a.window().chkViz().setValue(1);
  a.addBookmark("View");
  EXPECT_TRUE(a.t.toolkit.messages.empty());
  // A quote in a name is kept as the typographic closing quote (0x94 in the list's code page).
  EXPECT_EQ(a.layerFile(kList, "Parks", "View"),
            "\"View\",\"Main Map\",\"Roads\",\"True\"\r\n"
            "\"View\",\"Main Map\",\"Rail\",\"False\"\r\n"
            "\"View\",\"Main Map\",\"Bus \x94X\x94\",\"True\"\r\n"
            "\"View\",\"Inset \x94"
            "A\x94\",\"Parcels\",\"False\"\r\n");
  EXPECT_EQ(a.window().lstbxExtentName().items(), std::vector<std::string>{"View"});
  EXPECT_FALSE(a.t.module.files.isOpen(2));
}

TEST(AddBookmark, RememberingVisibilitiesReplacesAnOldFileAndMakesAMissingDirectory) {
  // The group came with the list: its directory was never made.
  AddTest a(header() + group("Parks"));
  const std::string path =
      store::LayerVisibilityPath(a.t.module.paths.ConfigDir, kList, "Parks", "View");
  ASSERT_FALSE(a.t.module.services.fs.directoryExists(
      store::GroupSideDirectory(a.t.module.paths.ConfigDir, kList, "Parks")));
  a.selectGroup("Parks");
  a.window().chkViz().setValue(1);
  a.addBookmark("View");
  EXPECT_TRUE(a.t.toolkit.messages.empty());
  EXPECT_EQ(a.list(), header() + group("Parks") + bookmark("Parks", "View", "0,0,100,100"));
  EXPECT_EQ(a.t.drives.read(path), "\"View\",\"Main Map\",\"Roads\",\"True\"\r\n");

  // A file left by an earlier bookmark of that name is replaced, not extended.
  a.t.drives.write(path, "\"View\",\"Main Map\",\"Old\",\"True\"\r\n");
  a.t.drives.write(kList, header() + group("Parks"));
  a.addBookmark("View");
  EXPECT_EQ(a.t.drives.read(path), "\"View\",\"Main Map\",\"Roads\",\"True\"\r\n");
}

TEST(AddBookmark, WithoutRememberingAStaleFileOfTheNameGoes) {
  AddTest a(header() + group("Parks"));
  a.selectGroup("Parks");
  const std::string path =
      store::LayerVisibilityPath(a.t.module.paths.ConfigDir, kList, "Parks", "View");
  a.t.drives.write(path, "\"View\",\"Main Map\",\"Roads\",\"False\"\r\n");
  a.addBookmark("View");
  EXPECT_TRUE(a.t.toolkit.messages.empty());
  EXPECT_FALSE(a.t.module.services.fs.fileExists(path));
}

TEST(AddBookmark, RefusedDuplicateKeepsTheExistingLayerFile) {
  AddTest a(header() + group("Parks"));
  a.selectGroup("Parks");
  a.window().chkViz().setValue(1);
  a.addBookmark("View");
  const std::string before = a.layerFile(kList, "Parks", "View");
  a.t.host.document().dataFrame(0).layer(0).setVisible(false);
  a.addBookmark("View");
  EXPECT_EQ(a.t.toolkit.messages, std::vector<std::string>{kDuplicate});
  EXPECT_EQ(a.layerFile(kList, "Parks", "View"), before);
  a.window().chkViz().setValue(0);
  a.addBookmark("View");
  EXPECT_EQ(a.layerFile(kList, "Parks", "View"), before);
}

TEST(AddBookmark, TwoListsSharingAGroupAndBookmarkNameKeepSeparateLayerFiles) {
  const std::string other = "C:\\lists\\b.bmk";
  AddTest a(header() + group("Parks"));
  a.t.drives.write(other, header() + group("Parks"));
  a.window().chkViz().setValue(1);
  a.selectGroup("Parks");
  a.addBookmark("View");

  a.t.module.session.ActiveListPath = other;
  a.t.host.document().dataFrame(0).layer(0).setVisible(false);
  a.addBookmark("View");

  EXPECT_TRUE(a.t.toolkit.messages.empty());
  EXPECT_EQ(a.layerFile(kList, "Parks", "View"), "\"View\",\"Main Map\",\"Roads\",\"True\"\r\n");
  EXPECT_EQ(a.layerFile(other, "Parks", "View"), "\"View\",\"Main Map\",\"Roads\",\"False\"\r\n");

  // Adding the name again in the second list without remembering leaves the first list's file.
  a.t.drives.write(other, header() + group("Parks"));
  a.window().chkViz().setValue(0);
  a.addBookmark("View");
  EXPECT_FALSE(a.t.module.services.fs.fileExists(
      store::LayerVisibilityPath(a.t.module.paths.ConfigDir, other, "Parks", "View")));
  EXPECT_EQ(a.layerFile(kList, "Parks", "View"), "\"View\",\"Main Map\",\"Roads\",\"True\"\r\n");
}

TEST(AddBookmark, ListOffTheProgramsDriveTouchesNoSideFile) {
  TestApp t(TestApp::kOneMapDocument, "CD", "C");
  t.drives.write("D:\\lists\\a.bmk", header() + group("Parks"));
  t.drives.write(TestApp::programDir() + "config", "\"D:\\lists\\a.bmk\"\r\n");
  t.start();
  t.window().lstbxGroup().select(0);
  t.window().chkViz().setValue(1);
  t.toolkit.queueInput("View");
  t.window().fire("cmdbtnAddCurExtent", Event::kClick);
  t.toolkit.queueInput("Roads");
  t.window().fire("cmdbtnAddGroup", Event::kClick);
  EXPECT_TRUE(t.toolkit.messages.empty());
  EXPECT_EQ(t.drives.read("D:\\lists\\a.bmk"),
            header() + group("Parks") + bookmark("Parks", "View", "0,0,100,100") + group("Roads"));
  EXPECT_FALSE(t.module.services.fs.directoryExists(t.module.paths.ConfigDir + "lists/"));
}

}  // namespace
}  // namespace cw::ui

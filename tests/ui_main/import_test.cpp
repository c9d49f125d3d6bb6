#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/standin/standin.h"
#include "support/list_lines.h"
#include "support/test_app.h"

namespace cw {
namespace {

using platform::MessageResult;
using testing::bookmark;
using testing::group;
using testing::header;
using testing::TestApp;

// A map whose view is twice as wide as high, so square requests are widened; three bookmarks.
constexpr std::string_view kThreeBookmarks = R"({"dataFrames": [
    {"name": "Main Map", "extent": [0, 0, 100, 50], "viewSize": [200, 100],
     "layers": [{"name": "Roads", "kind": "feature", "visible": true}],
     "bookmarks": [{"name": "Harbour", "extent": [10, 10, 20, 20]},
                   {"name": "Old Town", "extent": [40, 40, 60, 50]},
                   {"name": "Pier", "extent": [0, 0, 40, 10]}]}]})";

// The records one import of kThreeBookmarks appends: the extents the view showed.
std::string threeImported(std::string_view name) {
  return group(name) + bookmark(name, "Harbour", "5,10,25,20") +
         bookmark(name, "Old Town", "40,40,60,50") + bookmark(name, "Pier", "0,-5,40,15");
}

std::string documentWith(std::string_view bookmarks, std::string_view activeView = "map") {
  return R"({"activeView": ")" + std::string(activeView) + R"(", "dataFrames": [
      {"name": "Main Map", "extent": [0, 0, 100, 100],
       "layers": [{"name": "Roads", "kind": "feature", "visible": true}],
       "bookmarks": [)" +
         std::string(bookmarks) + "]}]}";
}

// The command created and clicked without the start-up's import offer; `list` is what the
// default list holds before the window loads ("" leaves it to the start-up).
void startWithoutOffer(TestApp& t, const std::string& list = "") {
  t.command.OnCreate(&t.host);
  t.module.services.fs.deleteFile(t.module.paths.InitMarkerFile());
  if (!list.empty()) t.drives.write(t.module.paths.DefaultListPath(), list);
  t.command.OnClick();
  ASSERT_TRUE(t.module.mainWindow && t.window().isLoaded());
}

void import(TestApp& t) {
  t.window().fire("btnImport", ui::Event::kClick);
}

std::string activeList(TestApp& t) {
  return t.drives.read(t.module.session.ActiveListPath);
}

host::Envelope focusExtent(TestApp& t) {
  return t.host.document().focusMap().extent();
}

TEST(Import, CopiesEveryHostBookmarkWithTheExtentTheViewShows) {
  TestApp t(kThreeBookmarks);
  startWithoutOffer(t);
  import(t);

  EXPECT_TRUE(t.toolkit.messages.empty());
  EXPECT_EQ(activeList(t), header() + threeImported("ArcMapBookmarks"));
  EXPECT_EQ(t.window().lstbxGroup().items(), std::vector<std::string>{"ArcMapBookmarks"});
  EXPECT_EQ(t.window().lstbxGroup().selectedText(), "ArcMapBookmarks");
  EXPECT_EQ(t.window().lstbxExtentName().items(),
            (std::vector<std::string>{"Harbour", "Old Town", "Pier"}));
  // The view stays at the last bookmark; the host's own bookmarks are untouched.
  EXPECT_EQ(focusExtent(t), (host::Envelope{0, -5, 40, 15}));
  EXPECT_EQ(t.host.document().focusMap().bookmarks.size(), 3u);
}

TEST(Import, NamesFollowingImportsByCountAndLastNumber) {
  TestApp t(kThreeBookmarks);
  startWithoutOffer(t);
  const std::vector<std::string> expected = {"ArcMapBookmarks", "ArcMapBookmarks2",
                                             "ArcMapBookmarks33", "ArcMapBookmarks434"};
  std::string list = header();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    import(t);
    list += threeImported(expected[i]);
    EXPECT_EQ(t.window().lstbxGroup().selectedText(), expected[i]);
    EXPECT_EQ(t.window().lstbxExtentName().items(),
              (std::vector<std::string>{"Harbour", "Old Town", "Pier"}));
  }
  EXPECT_TRUE(t.toolkit.messages.empty());
  EXPECT_EQ(t.window().lstbxGroup().items(), expected);
  EXPECT_EQ(activeList(t), list);
}

TEST(Import, CountsAUserGroupThatStartsLikeAnImport) {
  TestApp t(kThreeBookmarks);
  startWithoutOffer(t, header() + group("ArcMapBookmarks Parks") + group("Zoo"));
  import(t);
  EXPECT_EQ(t.window().lstbxGroup().items(),
            (std::vector<std::string>{"ArcMapBookmarks Parks", "ArcMapBookmarks2", "Zoo"}));
  EXPECT_EQ(activeList(t), header() + group("ArcMapBookmarks Parks") + group("Zoo") +
                               threeImported("ArcMapBookmarks2"));
}

TEST(Import, DocumentWithoutBookmarksSaysSoAndChangesNothing) {
  TestApp t(documentWith(""));
  startWithoutOffer(t);
  const std::string before = activeList(t);
  import(t);
  EXPECT_EQ(t.toolkit.messages,
            std::vector<std::string>{"There are no bookmarks in the current ArcMap project"});
  EXPECT_EQ(activeList(t), before);
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
  EXPECT_EQ(focusExtent(t), (host::Envelope{0, 0, 100, 100}));
}

TEST(Import, PageLayoutActiveEndsInTheReportAndWritesNothing) {
  TestApp t(documentWith(R"({"name": "Harbour", "extent": [10, 10, 20, 20]})", "layout"));
  t.start();  // the start-up's offer passes silently: the active view is no data frame
  ASSERT_TRUE(t.toolkit.messages.empty());
  const std::string before = activeList(t);
  import(t);
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("\r\nMODULE: btnImport_Click frmMain Line : 1\r\n"),
            std::string::npos);
  EXPECT_EQ(activeList(t), before);
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
  EXPECT_EQ(focusExtent(t), (host::Envelope{0, 0, 100, 100}));
}

TEST(Import, SecondHostBookmarkOfTheSameNameIsRefused) {
  TestApp t(documentWith(R"({"name": "Harbour", "extent": [10, 10, 20, 20]},
                            {"name": "Harbour", "extent": [30, 30, 40, 40]})"));
  startWithoutOffer(t);
  import(t);
  EXPECT_EQ(t.toolkit.messages, std::vector<std::string>{"Duplicate names are not allowed."});
  EXPECT_EQ(activeList(t), header() + group("ArcMapBookmarks") +
                               bookmark("ArcMapBookmarks", "Harbour", "10,10,20,20"));
  EXPECT_EQ(t.window().lstbxExtentName().items(), std::vector<std::string>{"Harbour"});
  // Applying still happened: the view shows the refused bookmark, the last one.
  EXPECT_EQ(focusExtent(t), (host::Envelope{30, 30, 40, 40}));
}

TEST(Import, ReadOnlyListGivesOneWriteMessageThenOneReportPerBookmark) {
  TestApp t(kThreeBookmarks);
  startWithoutOffer(t);
  const std::string before = activeList(t);
  t.module.services.fs.setAttributes(t.module.session.ActiveListPath, platform::kReadOnly);
  import(t);

  const auto& messages = t.toolkit.messages;
  ASSERT_EQ(messages.size(), 4u);
  const std::string noWriteAccess =
      "It seems you may not have write access to the current bookmark file: \r\n";
  EXPECT_EQ(messages[0], noWriteAccess + t.module.session.ActiveListPath);
  for (std::size_t i = 1; i < messages.size(); ++i) {
    EXPECT_EQ(messages[i].rfind("We're sorry, an unexpected error has occurred.", 0), 0u);
    EXPECT_NE(messages[i].find("\r\nMODULE: AddBookmark "), std::string::npos) << messages[i];
  }
  EXPECT_EQ(activeList(t), before);
  EXPECT_EQ(t.window().lstbxGroup().count(), 0);
  EXPECT_FALSE(t.module.files.isOpen(1));
}

// Every regular file under a host directory.
std::set<std::filesystem::path> filesUnder(const std::filesystem::path& root) {
  std::set<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.insert(entry.path());
  }
  return files;
}

bool isUnder(const std::filesystem::path& path, const std::filesystem::path& directory) {
  auto relative = path.lexically_normal().lexically_relative(directory.lexically_normal());
  return !relative.empty() && *relative.begin() != "..";
}

// Host names the format cannot hold as they are (a quote), that would name files elsewhere
// ("\", "/", ":", ".."), or that the code page lacks: the list stays readable, reads back as
// the window showed it, and every layer-visibility file lands in the list's own area.
TEST(Import, UnsafeHostNamesStayReadableAndInsideTheSideFileArea) {
  TestApp t(documentWith(R"({"name": "Say \"cheese\"", "extent": [1, 1, 2, 2]},
                            {"name": "a\\b", "extent": [2, 2, 3, 3]},
                            {"name": "north/south", "extent": [3, 3, 4, 4]},
                            {"name": "C:top", "extent": [4, 4, 5, 5]},
                            {"name": "..", "extent": [5, 5, 6, 6]},
                            {"name": "../../../escape", "extent": [6, 6, 7, 7]},
                            {"name": "\u65e5\u672c", "extent": [7, 7, 8, 8]},
                            {"name": "Plain", "extent": [8, 8, 9, 9]})"));
  startWithoutOffer(t);
  t.window().chkViz().setValue(1);
  const auto filesBefore = filesUnder(t.drives.base());
  import(t);

  EXPECT_TRUE(t.toolkit.messages.empty());
  // The names as the window shows them, and their bytes in the ANSI list file.
  const std::vector<std::string> stored = {
      "Say \xE2\x80\x9D"
      "cheese\xE2\x80\x9D",
      "a\\b",
      "north/south",
      "C:top",
      "..",
      "../../../escape",
      "??",
      "Plain"};
  std::string expected = header() + group("ArcMapBookmarks");
  const char* extents[] = {"1,1,2,2", "2,2,3,3", "3,3,4,4", "4,4,5,5",
                           "5,5,6,6", "6,6,7,7", "7,7,8,8", "8,8,9,9"};
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const std::string onDisk = i == 0 ? "Say \x94"
                                        "cheese\x94"
                                      : stored[i];
    expected += bookmark("ArcMapBookmarks", onDisk, extents[i]);
  }
  EXPECT_EQ(activeList(t), expected);

  // What the window showed is what the file gives back.
  std::vector<std::string> shown = t.window().lstbxExtentName().items();
  t.window().lstbxGroup().select(ui::ListBox::kNone);
  t.window().lstbxGroup().select(0);
  EXPECT_EQ(t.window().lstbxExtentName().items(), shown);
  std::vector<std::string> sortedStored = stored;
  std::sort(shown.begin(), shown.end());
  std::sort(sortedStored.begin(), sortedStored.end());
  EXPECT_EQ(shown, sortedStored);

  // One new layer-visibility file per bookmark, all inside the list's own area.
  const std::filesystem::path area = t.drives.host(t.module.paths.ConfigDir + "lists");
  std::vector<std::filesystem::path> added;
  for (const auto& file : filesUnder(t.drives.base())) {
    if (!filesBefore.count(file)) added.push_back(file);
  }
  EXPECT_EQ(added.size(), stored.size());
  for (const auto& file : added) EXPECT_TRUE(isUnder(file, area)) << file;
}

TEST(Import, AcceptedStartUpOfferImportsAndDeletesTheMarker) {
  TestApp t(kThreeBookmarks);
  t.command.OnCreate(&t.host);
  ASSERT_TRUE(t.module.services.fs.fileExists(t.module.paths.InitMarkerFile()));
  t.toolkit.queueAnswer(MessageResult::kYes);
  t.command.OnClick();

  EXPECT_EQ(t.toolkit.messages,
            std::vector<std::string>{"Would you like to import your existing ArcMap bookmarks?"});
  EXPECT_EQ(activeList(t), header() + threeImported("ArcMapBookmarks"));
  EXPECT_EQ(t.window().lstbxGroup().items(), std::vector<std::string>{"ArcMapBookmarks"});
  EXPECT_FALSE(t.module.services.fs.fileExists(t.module.paths.InitMarkerFile()));
}

}  // namespace
}  // namespace cw

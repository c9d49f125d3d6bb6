// Names that differ only in case are two groups and two bookmarks, and the drives ignore case:
// each of them keeps the layer visibilities recorded for it through adding, zooming, removing
// and clearing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosts/standin/standin.h"
#include "store/side_files.h"
#include "support/list_lines.h"
#include "support/test_app.h"
#include "ui/main/frm_main.h"

namespace cw::ui {
namespace {

using platform::MessageResult;
using testing::TestApp;

constexpr std::string_view kDocument = R"({"dataFrames": [
  {"name": "Main Map", "extent": [0, 0, 100, 100], "layers": [
    {"name": "Roads", "kind": "feature", "visible": true},
    {"name": "Rivers", "kind": "feature", "visible": true}]}]})";

// A group, a bookmark in it, and the visibilities of Roads and Rivers it is added with: each of
// the four has a pattern of its own.
struct Twin {
  std::string group, bookmark;
  bool roads, rivers;
};
const std::vector<Twin> kTwins = {
    {"Parks", "A", true, true},
    {"Parks", "a", true, false},
    {"parks", "A", false, true},
    {"parks", "a", false, false},
};

class CaseTwins : public ::testing::Test {
 protected:
  CaseTwins() : t(kDocument) {
    t.startOnList(list(), testing::header());
    for (const char* group : {"Parks", "parks"}) {
      t.toolkit.queueInput(group);
      window().fire("cmdbtnAddGroup", Event::kClick);
    }
    window().chkViz().setValue(1);
    for (const Twin& twin : kTwins) {
      showLayers(twin.roads, twin.rivers);
      select(twin.group);
      t.toolkit.queueInput(twin.bookmark);
      window().fire("cmdbtnAddCurExtent", Event::kClick);
    }
    EXPECT_TRUE(t.toolkit.messages.empty()) << t.toolkit.messages.front();
  }

  std::string list() const { return TestApp::programDir() + "bookmarks_default.bmk"; }
  FrmMain& window() { return t.window(); }

  void showLayers(bool roads, bool rivers) {
    t.host.document().dataFrame(0).layer(0).setVisible(roads);
    t.host.document().dataFrame(0).layer(1).setVisible(rivers);
  }
  void select(const std::string& group) { testing::selectEntry(window().lstbxGroup(), group); }
  void select(const std::string& group, const std::string& bookmark) {
    select(group);
    testing::selectEntry(window().lstbxExtentName(), bookmark);
  }

  // Zooms to the bookmark from a view that shows the opposite of its pattern, and says whether
  // its own pattern came back.
  void expectZoomRestores(const Twin& twin) {
    SCOPED_TRACE(twin.group + " / " + twin.bookmark);
    showLayers(!twin.roads, !twin.rivers);
    select(twin.group, twin.bookmark);
    window().fire("btnZoom", Event::kClick);
    EXPECT_EQ(t.host.document().dataFrame(0).layer(0).visible(), twin.roads);
    EXPECT_EQ(t.host.document().dataFrame(0).layer(1).visible(), twin.rivers);
  }

  std::string sideFile(const Twin& twin) {
    return store::LayerVisibilityPath(t.module.paths.ConfigDir, list(), twin.group, twin.bookmark);
  }

  TestApp t;
};

TEST_F(CaseTwins, EachNameKeepsItsOwnFileAndZoomRestoresItsOwnVisibilities) {
  std::vector<std::string> files;
  for (const Twin& twin : kTwins) {
    EXPECT_TRUE(t.drives.exists(sideFile(twin))) << sideFile(twin);
    files.push_back(t.drives.read(sideFile(twin)));
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    for (std::size_t j = i + 1; j < files.size(); ++j) EXPECT_NE(files[i], files[j]);
  }
  for (const Twin& twin : kTwins) expectZoomRestores(twin);
}

TEST_F(CaseTwins, RemovingOneTwinLeavesTheOthersVisibilities) {
  select("Parks", "a");
  window().fire("btnRemoveExtent", Event::kClick);
  EXPECT_FALSE(t.drives.exists(sideFile(kTwins[1])));
  for (const Twin& twin : {kTwins[0], kTwins[2], kTwins[3]}) expectZoomRestores(twin);

  select("parks");
  window().fire("btnRemoveGroup", Event::kClick);
  EXPECT_FALSE(
      t.drives.exists(store::GroupSideDirectory(t.module.paths.ConfigDir, list(), "parks")));
  expectZoomRestores(kTwins[0]);
  EXPECT_TRUE(t.toolkit.messages.empty()) << t.toolkit.messages.front();
}

TEST_F(CaseTwins, ClearingTheListDeletesTheDirectoriesOfBothGroups) {
  t.toolkit.queueAnswer(MessageResult::kYes);
  window().fire("btnNewList", Event::kClick);
  EXPECT_EQ(t.drives.read(list()), testing::header());
  for (const char* group : {"Parks", "parks"}) {
    EXPECT_FALSE(
        t.drives.exists(store::GroupSideDirectory(t.module.paths.ConfigDir, list(), group)))
        << group;
  }
}

}  // namespace
}  // namespace cw::ui

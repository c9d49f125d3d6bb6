#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/failure.h"
#include "hosts/standin/standin.h"
#include "store/side_files.h"
#include "support/list_lines.h"
#include "support/test_app.h"
#include "ui/main/frm_main.h"

namespace cw::ui {
namespace {

using cw::testing::TestApp;

// Two data frames share the name "Main Map"; the first has the focus. Feature, group, nested
// group and raster layers, some hidden.
constexpr std::string_view kDocument = R"({"dataFrames": [
  {"name": "Main Map", "extent": [0, 0, 100, 100], "layers": [
    {"name": "Roads", "kind": "feature", "visible": true},
    {"name": "Parcels", "kind": "feature", "visible": false},
    {"name": "Base", "kind": "group", "visible": true, "layers": [
      {"name": "Rivers", "kind": "feature", "visible": true},
      {"name": "Inner", "kind": "group", "visible": true, "layers": [
        {"name": "Parcels", "kind": "feature", "visible": false}]}]},
    {"name": "Imagery", "kind": "raster", "visible": true}]},
  {"name": "Inset", "extent": [0, 0, 10, 10], "layers": [
    {"name": "Roads", "kind": "feature", "visible": true}]},
  {"name": "Main Map", "extent": [0, 0, 1, 1], "layers": [
    {"name": "Roads", "kind": "feature", "visible": true}]}],
  "layout": [{"kind": "legend", "dataFrame": 0, "bounds": [1, 1, 3, 4]}]})";

using testing::bookmark;
using testing::group;
using testing::header;

const std::string kHeader = header();
const std::string kParksGroup = group("Parks");
const std::string kRiverside = bookmark("Parks", "Riverside");

// Every layer's visibility, frame by frame, group members in brackets.
std::string layerState(const std::vector<std::unique_ptr<standin::Layer>>& layers) {
  std::string out;
  for (const auto& layer : layers) {
    out += " " + layer->name() + "=" + (layer->visible() ? "1" : "0");
    if (layer->isGroupLayer()) out += " [" + layerState(layer->members) + " ]";
  }
  return out;
}
std::string visibilityState(standin::Document& doc) {
  std::string out;
  for (const auto& frame : doc.dataFrames) {
    out += "{" + frame->name() + ":" + layerState(frame->layers) + " }";
  }
  return out;
}

// The window started on the default list, with a group and bookmark chosen as the user would.
class ZoomTest : public ::testing::Test {
 protected:
  ZoomTest() : t(kDocument) {
    t.drives.write(list(), kHeader + kParksGroup + kRiverside);
    t.start();
  }

  std::string list() const { return TestApp::programDir() + "bookmarks_default.bmk"; }
  FrmMain& window() { return t.window(); }
  standin::Document& doc() { return t.host.document(); }

  void choose(const std::string& group, const std::string& bookmark) {
    t.module.session.SelectedGroup = group;
    window().lstbxExtentName().clear();
    window().lstbxExtentName().addItem(bookmark);
    window().lstbxExtentName().select(0);
  }

  void writeVisibilities(const std::string& group, const std::string& bookmark,
                         const std::string& records) {
    t.drives.write(store::LayerVisibilityPath(t.module.paths.ConfigDir, list(), group, bookmark),
                   records);
  }

  // Clicks Zoom with a clean call log and transcript.
  void zoom() {
    doc().calls.clear();
    t.toolkit.transcript.clear();
    window().fire("btnZoom", Event::kClick);
  }

  TestApp t;
};

TEST_F(ZoomTest, SetsTheExtentInvalidatesThenRestoresVisibilitiesAndRedrawsTheContentsOnce) {
  writeVisibilities("Parks", "Riverside",
                    "\"Riverside\",\"Main Map\",\"Parcels\",\"True\"\r\n"
                    "\"Riverside\",\"Inset\",\"Roads\",\"False\"\r\n");
  window().chkViz().setValue(1);
  choose("Parks", "Riverside");
  zoom();
  EXPECT_EQ(doc().calls, (std::vector<std::string>{
                             "focusMap",
                             "setExtent \"Main Map\" 1 2 3 4",
                             "activeView",
                             "invalidate \"Main Map\" 2",
                             "setVisible \"Main Map\" \"Parcels\" true",
                             "setVisible \"Inset\" \"Roads\" false",
                             "refreshContentsView",
                         }));
  EXPECT_EQ(doc().focusMap().extent(), (host::Envelope{1, 2, 3, 4}));
  EXPECT_EQ(t.toolkit.transcript, (std::vector<std::string>{"POINTER wait", "POINTER default"}));
  EXPECT_EQ(t.module.session.SelectedBookmark, "Riverside");
  EXPECT_FALSE(t.module.files.isOpen(1));
  EXPECT_FALSE(t.module.files.isOpen(2));
}

TEST_F(ZoomTest, DoubleClickRunsTheSameZoomAsTheButton) {
  choose("Parks", "Riverside");
  zoom();
  std::vector<std::string> byButton = doc().calls;
  doc().calls.clear();
  window().fire("lstbxExtentName", Event::kDblClick);
  EXPECT_EQ(doc().calls, byButton);
  EXPECT_EQ(byButton.size(), 4u);
}

TEST_F(ZoomTest, FindsTheFirstRecordOfTheSelectedGroupAndName) {
  struct Case {
    const char* what;
    std::string records;
    const char* extent;
  } cases[] = {
      {"same name in another group first", bookmark("Roads", "Riverside", "9,9,9,9") + kRiverside,
       "1 2 3 4"},
      {"two records of the name", kRiverside + bookmark("Parks", "Riverside", "5,6,7,8"),
       "1 2 3 4"},
      {"header between records", bookmark("Parks", "Harbour", "9,9,9,9") + kHeader + kRiverside,
       "1 2 3 4"},
      {"names differing in case",
       bookmark("parks", "Riverside", "9,9,9,9") + bookmark("Parks", "riverside", "8,8,8,8") +
           kRiverside,
       "1 2 3 4"},
      {"empty coordinates are 0", bookmark("Parks", "Riverside", ",2,,4"), "0 2 0 4"},
      {"numeric text converts", bookmark("Parks", "Riverside", "\"1.5\",-2,3E+2,4"),
       "1.5 -2 300 4"},
  };
  for (const auto& c : cases) {
    t.drives.write(list(), kHeader + kParksGroup + c.records);
    choose("Parks", "Riverside");
    zoom();
    ASSERT_GE(doc().calls.size(), 2u) << c.what;
    EXPECT_EQ(doc().calls[1], std::string("setExtent \"Main Map\" ") + c.extent) << c.what;
    EXPECT_TRUE(t.toolkit.messages.empty()) << c.what;
  }
}

TEST_F(ZoomTest, RestoresOnlyFeatureLayersAtTheTopOrDirectlyInAGroupLayer) {
  writeVisibilities("Parks", "Riverside",
                    "\"Riverside\",\"Main Map\",\"Roads\",\"False\"\r\n"    // both frames
                    "\"Riverside\",\"Main Map\",\"Parcels\",\"True\"\r\n"   // top level only
                    "\"Riverside\",\"Main Map\",\"Rivers\",\"true\"\r\n"    // not "True": hidden
                    "\"Riverside\",\"Main Map\",\"Base\",\"False\"\r\n"     // a group layer
                    "\"Riverside\",\"Main Map\",\"Imagery\",\"False\"\r\n"  // a raster layer
                    "\"Riverside\",\"Gone Map\",\"Roads\",\"False\"\r\n"    // no such frame
                    "\"Riverside\",\"Inset\",\"Missing\",\"False\"\r\n"     // no such layer
                    "\"Someone else\",\"inset\",\"Roads\",\"False\"\r\n");  // case differs
  window().chkViz().setValue(1);
  choose("Parks", "Riverside");
  const std::string before = visibilityState(doc());
  EXPECT_EQ(before,
            "{Main Map: Roads=1 Parcels=0 Base=1 [ Rivers=1 Inner=1 [ Parcels=0 ] ] Imagery=1 }"
            "{Inset: Roads=1 }{Main Map: Roads=1 }");
  zoom();
  EXPECT_EQ(visibilityState(doc()),
            "{Main Map: Roads=0 Parcels=1 Base=1 [ Rivers=0 Inner=1 [ Parcels=0 ] ] Imagery=1 }"
            "{Inset: Roads=1 }{Main Map: Roads=0 }");
  EXPECT_EQ(doc().tocRedraws, 1);
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST_F(ZoomTest, TheLastRecordOfALayerWins) {
  writeVisibilities("Parks", "Riverside",
                    "\"Riverside\",\"Inset\",\"Roads\",\"False\"\r\n"
                    "\"Riverside\",\"Inset\",\"Roads\",\"True\"\r\n");
  window().chkViz().setValue(1);
  choose("Parks", "Riverside");
  zoom();
  EXPECT_TRUE(doc().dataFrame(1).layer(0).visible());
}

TEST_F(ZoomTest, VisibilitiesNeedTheTickAndAFile) {
  struct Case {
    const char* what;
    int ticked;
    bool file;
  } cases[] = {{"not ticked", 0, true}, {"no file", 1, false}};
  for (const auto& c : cases) {
    const std::string path =
        store::LayerVisibilityPath(t.module.paths.ConfigDir, list(), "Parks", "Riverside");
    if (c.file) {
      t.drives.write(path, "\"Riverside\",\"Inset\",\"Roads\",\"False\"\r\n");
    } else {
      std::filesystem::remove(t.drives.host(path));
    }
    window().chkViz().setValue(c.ticked);
    choose("Parks", "Riverside");
    doc().tocRedraws = 0;
    zoom();
    EXPECT_EQ(doc().calls, (std::vector<std::string>{"focusMap", "setExtent \"Main Map\" 1 2 3 4",
                                                     "activeView", "invalidate \"Main Map\" 2"}))
        << c.what;
    EXPECT_EQ(doc().tocRedraws, 0) << c.what;
    EXPECT_TRUE(doc().dataFrame(1).layer(0).visible()) << c.what;
  }
}

TEST_F(ZoomTest, AFailingVisibilityIsSkippedSilently) {
  writeVisibilities("Parks", "Riverside",
                    "\"Riverside\",\"Main Map\",\"Parcels\",\"True\"\r\n"
                    "\"Riverside\",\"Inset\",\"Roads\",\"False\"\r\n"
                    "\"Riverside\",\"Inset\"\r\n");  // cut short
  window().chkViz().setValue(1);
  choose("Parks", "Riverside");
  doc().failNext("setVisible \"Main Map\"");
  zoom();
  EXPECT_FALSE(doc().dataFrame(0).layer(1).visible());
  EXPECT_FALSE(doc().dataFrame(1).layer(0).visible());
  EXPECT_EQ(doc().tocRedraws, 1);
  EXPECT_TRUE(t.toolkit.messages.empty());
  EXPECT_EQ(t.toolkit.pointer, platform::MousePointer::kDefault);
  EXPECT_FALSE(t.module.files.isOpen(2));
}

// Two lists on the program's drive share the group and bookmark name; each keeps its own
// visibilities, and a list without its own files reads the earlier version's shared file.
TEST_F(ZoomTest, ReadsTheVisibilitiesOfTheActiveListOnly) {
  const std::string other = "C:\\lists\\other.bmk";
  t.drives.write(other, kHeader + kParksGroup + kRiverside);
  writeVisibilities("Parks", "Riverside", "\"Riverside\",\"Inset\",\"Roads\",\"False\"\r\n");
  t.drives.write(store::LayerVisibilityPath(t.module.paths.ConfigDir, other, "Parks", "Riverside"),
                 "\"Riverside\",\"Main Map\",\"Parcels\",\"True\"\r\n");
  t.drives.write(t.module.paths.ConfigDir + "Parks/Riverside",
                 "\"Riverside\",\"Main Map\",\"Roads\",\"False\"\r\n");
  window().chkViz().setValue(1);
  choose("Parks", "Riverside");
  zoom();
  EXPECT_EQ(visibilityState(doc()),
            "{Main Map: Roads=1 Parcels=0 Base=1 [ Rivers=1 Inner=1 [ Parcels=0 ] ] Imagery=1 }"
            "{Inset: Roads=0 }{Main Map: Roads=1 }");

  t.module.session.ActiveListPath = "C:\\lists\\third.bmk";
  t.drives.write(t.module.session.ActiveListPath, kHeader + kRiverside);
  zoom();
  EXPECT_FALSE(doc().dataFrame(0).layer(0).visible());  // the earlier version's file
  EXPECT_FALSE(doc().dataFrame(0).layer(1).visible());  // not the other list's
}

TEST_F(ZoomTest, ButtonWithoutSelectionOnlyAsksForOne) {
  window().lstbxExtentName().clear();
  zoom();
  EXPECT_EQ(t.toolkit.transcript,
            (std::vector<std::string>{"MSGBOX \"Please select a bookmark\""}));
  EXPECT_TRUE(doc().calls.empty());
}

TEST_F(ZoomTest, FailuresEndInTheReportWithThePointerBackToDefault) {
  struct Case {
    const char* what;
    std::string records;
    const char* failHost;
    const char* module;
    int number;
  } cases[] = {
      {"bookmark no longer in the list", bookmark("Parks", "Harbour"), "",
       "btnZoom_Click frmMain Line : 4", err::kInputPastEndOfFile},
      {"list cut short", "\"Parks\",\"Harbour\",1,2\r\n", "", "btnZoom_Click frmMain Line : 4",
       err::kInputPastEndOfFile},
      {"coordinate is no number", bookmark("Parks", "Riverside", "\"west\",2,3,4"), "",
       "btnZoom_Click frmMain Line : 6", err::kTypeMismatch},
      {"extent refused", kRiverside, "setExtent", "btnZoom_Click frmMain Line : 8",
       err::kHostFailure},
      {"invalidation refused", kRiverside, "invalidate", "btnZoom_Click frmMain Line : 10",
       err::kHostFailure},
  };
  for (const auto& c : cases) {
    t.drives.write(list(), kHeader + kParksGroup + c.records);
    choose("Parks", "Riverside");
    if (*c.failHost) doc().failNext(c.failHost);
    t.toolkit.messages.clear();
    zoom();
    ASSERT_EQ(t.toolkit.messages.size(), 1u) << c.what;
    const std::string& report = t.toolkit.messages[0];
    EXPECT_NE(report.find(std::string("MODULE: ") + c.module + "\r\n"), std::string::npos)
        << c.what << "\n"
        << report;
    EXPECT_NE(report.find("ERROR NUMBER: " + std::to_string(c.number) + "\r\n"), std::string::npos)
        << c.what;
    ASSERT_EQ(t.toolkit.transcript.size(), 3u) << c.what;
    EXPECT_EQ(t.toolkit.transcript[1], "POINTER default") << c.what;
    EXPECT_EQ(t.toolkit.transcript[2].rfind("MSGBOX ", 0), 0u) << c.what;
    EXPECT_FALSE(t.module.files.isOpen(1)) << c.what;
  }
}

TEST_F(ZoomTest, DoubleClickWithoutSelectionSearchesForTheEmptyNameAndReports) {
  window().lstbxExtentName().clear();
  t.module.session.SelectedGroup = "Parks";
  t.toolkit.transcript.clear();
  window().fire("lstbxExtentName", Event::kDblClick);
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("MODULE: lstbxExtentName_DblClick frmMain Line : 4\r\n"),
            std::string::npos);
  EXPECT_EQ(t.toolkit.transcript[0], "POINTER wait");
  EXPECT_EQ(t.toolkit.transcript[1], "POINTER default");
}

// The layout test is made on the focus data frame, which never is the layout: the active view
// is invalidated and the layout's legend is left alone, also with the layout active.
TEST_F(ZoomTest, WithTheLayoutActiveTheLayoutIsInvalidatedAndTheLegendLeftAlone) {
  doc().setLayoutActive(true);
  choose("Parks", "Riverside");
  zoom();
  EXPECT_EQ(doc().calls, (std::vector<std::string>{"focusMap", "setExtent \"Main Map\" 1 2 3 4",
                                                   "activeView", "invalidate layout 2"}));
  EXPECT_EQ(doc().pageLayout().elements[0]->refreshCount, 0);
}

}  // namespace
}  // namespace cw::ui

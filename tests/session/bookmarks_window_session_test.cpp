// Whole user journeys through the bookmarks window, played as scripts with their transcripts.

#include <gtest/gtest.h>

#include <sstream>

#include "frontends/headless/session_runner.h"
#include "hosts/standin/standin.h"
#include "support/temp_drives.h"

namespace cw::headless {
namespace {

constexpr const char* kTown = R"({"dataFrames": [
  {"name": "Main Map", "extent": [0, 0, 100, 100],
   "layers": [{"name": "Roads", "kind": "feature", "visible": true},
              {"name": "Land", "kind": "group", "visible": true,
               "layers": [{"name": "Parks", "kind": "feature", "visible": true},
                          {"name": "Relief", "kind": "raster", "visible": true}]}],
   "bookmarks": [{"name": "Centre", "extent": [40, 40, 60, 60]}]}]})";

constexpr const char* kDefaultList =
    "C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\bookmarks_default.bmk";

struct Journey {
  testing::TempDrives drives;
  standin::Application host{standin::loadDocument(kTown)};
  std::ostringstream out;
  SessionRunner runner{drives.fs(), host, out};

  std::string play(const std::string& script) {
    runner.play(script);
    return out.str();
  }
};

TEST(BookmarksWindowJourney, AddZoomRestoreAndDelete) {
  Journey j;
  std::string transcript = j.play(R"(create
answer No
click
input "Parks"
press frmMain.cmdbtnAddGroup
extent 10 10 20 20
check frmMain.chkViz 1
layer "Main Map" Roads off
input "  Pond  "
press frmMain.cmdbtnAddCurExtent
layer "Main Map" Roads on
layer "Main Map" Land/Parks off
extent 0 0 100 100
dblclick frmMain.lstbxExtentName Pond
state
press frmMain.btnRemoveExtent
press frmMain.btnRemoveExtent
show frmMain
)");
  const char* expected = R"(> create
> answer No
> click
MSGBOX "Would you like to import your existing ArcMap bookmarks?" -> No
> input Parks
> press frmMain.cmdbtnAddGroup
INPUT "Name the new group:" -> "Parks"
> extent 10 10 20 20
> check frmMain.chkViz 1
> layer "Main Map" Roads off
> input "  Pond  "
> press frmMain.cmdbtnAddCurExtent
INPUT "Please name the new bookmark:" -> "  Pond  "
> layer "Main Map" Roads on
> layer "Main Map" Land/Parks off
> extent 0 0 100 100
> dblclick frmMain.lstbxExtentName Pond
POINTER wait
POINTER default
> state
VIEW map "Main Map"
FRAME "Main Map" extent 10 10 20 20 focus
LAYER "Main Map" "Roads" off
LAYER "Main Map" "Land" on
LAYER "Main Map" "Land/Parks" on
LAYER "Main Map" "Land/Relief" on
REDRAWS map=1 graphics=0 toc=1
> press frmMain.btnRemoveExtent
> press frmMain.btnRemoveExtent
MSGBOX "Please select a bookmark to remove"
> show frmMain
CHECK frmMain.chkViz 1
LIST frmMain.lstbxExtentName [] selected -
LIST frmMain.lstbxGroup ["Parks"] selected "Parks"
TEXT frmMain.Text1 "C:\Program Files\CorbelwickGIS\CorbelwickBookmarks\bookmarks_default.bmk"
)";
  EXPECT_EQ(transcript, expected);
  std::string header = "\"Bookmarks_v2.0\"";
  for (int i = 1; i < 10; ++i) header += ",\"Bookmarks_v2.0\"";
  EXPECT_EQ(j.drives.read(kDefaultList),
            header +
                "\r\n\"Parks\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\","
                "\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\"\r\n");
}

TEST(BookmarksWindowJourney, CutShortListEndsInTheReportAndStaysAsItWas) {
  Journey j;
  const std::string cutShort =
      "\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\","
      "\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\",\"Bookmarks_v2.0\","
      "\"Bookmarks_v2.0\",\"Bookmarks_v2.0\"\r\n\"Parks\",\"Pond\",1,2\r\n";
  j.drives.write(kDefaultList, cutShort);
  std::string transcript = j.play("create\nclick\nshow frmMain\n");
  EXPECT_NE(transcript.find("MODULE: Form_Load frmMain Line : "), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("LIST frmMain.lstbxGroup [] selected -"), std::string::npos);
  EXPECT_EQ(j.drives.read(kDefaultList), cutShort);
}

TEST(BookmarksWindowJourney, LayersWhoseNamesHoldQuotesAreRestored) {
  testing::TempDrives drives;
  standin::Application host{standin::loadDocument(R"({"dataFrames": [
    {"name": "The \"Main\" Map", "extent": [0, 0, 100, 100],
     "layers": [{"name": "Caf\u00e9 \"Roads\"", "kind": "feature", "visible": true}]}]})")};
  std::ostringstream out;
  SessionRunner runner{drives.fs(), host, out};
  runner.play(R"(create
click
input "Trips"
press frmMain.cmdbtnAddGroup
check frmMain.chkViz 1
input "Before"
press frmMain.cmdbtnAddCurExtent
layer "The \"Main\" Map" "Café \"Roads\"" off
dblclick frmMain.lstbxExtentName Before
state
)");
  EXPECT_NE(out.str().find("LAYER \"The \\\"Main\\\" Map\" \"Café \\\"Roads\\\"\" on"),
            std::string::npos)
      << out.str();
}

}  // namespace
}  // namespace cw::headless

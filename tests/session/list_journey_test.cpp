// A whole user journey with list files through corbelwick-session: open another list, add to it,
// save it under a new name, and find the opened list again after the host restarts.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "support/list_lines.h"
#include "support/session_program.h"
#include "support/temp_drives.h"

namespace cw {
namespace {

using testing::group;
using testing::header;

using SessionRun = testing::ProgramRun;
using testing::runSession;

std::string quotedArg(const std::string& text) {
  return testing::shellArgument(text);
}

const char* const kJourney = R"(create
answer No
click
press frmMain.btnLoadList
chdir frmLoadList.Dir1 "C:\Lists"
show frmLoadList
dblclick frmLoadList.File1 "other.bmk"
show frmMain
input "Trails"
press frmMain.cmdbtnAddGroup
press frmMain.btnSaveList
close frmSaveList
press frmMain.btnSaveList
chdir frmSaveList.Dir1 "C:\Lists"
type frmSaveList.txtFileName "copy"
press frmSaveList.btnSave
show frmMain
input "After Save"
press frmMain.cmdbtnAddGroup
# the host starts again
create
answer No
click
show frmMain
)";

const char* const kTranscript = R"(> create
> answer No
> click
MSGBOX "Would you like to import your existing ArcMap bookmarks?" -> No
> press frmMain.btnLoadList
> chdir frmLoadList.Dir1 C:\Lists
> show frmLoadList
LIST frmLoadList.Drive1 ["C:"] selected "C:"
TEXT frmLoadList.Dir1 "C:\Lists"
LIST frmLoadList.Dir1 [".."] selected -
LIST frmLoadList.File1 ["other.bmk"] selected -
> dblclick frmLoadList.File1 other.bmk
> show frmMain
CHECK frmMain.chkViz 0
LIST frmMain.lstbxExtentName [] selected -
LIST frmMain.lstbxGroup ["Parks"] selected -
TEXT frmMain.Text1 "C:\Lists\other.bmk"
> input Trails
> press frmMain.cmdbtnAddGroup
INPUT "Name the new group:" -> "Trails"
> press frmMain.btnSaveList
> close frmSaveList
> press frmMain.btnSaveList
> chdir frmSaveList.Dir1 C:\Lists
> type frmSaveList.txtFileName copy
> press frmSaveList.btnSave
> show frmMain
CHECK frmMain.chkViz 0
LIST frmMain.lstbxExtentName [] selected -
LIST frmMain.lstbxGroup ["Parks", "Trails"] selected "Trails"
TEXT frmMain.Text1 "copy.bmk"
> input "After Save"
> press frmMain.cmdbtnAddGroup
INPUT "Name the new group:" -> "After Save"
> create
> answer No
> click
MSGBOX "Would you like to import your existing ArcMap bookmarks?" -> No
> show frmMain
CHECK frmMain.chkViz 0
LIST frmMain.lstbxExtentName [] selected -
LIST frmMain.lstbxGroup ["Parks", "Trails"] selected -
TEXT frmMain.Text1 "C:\Lists\other.bmk"
)";

TEST(ListJourney, OpenedListIsActiveAgainAfterARestartAndTheCopyKeepsLaterAdditions) {
  testing::TempDrives drives;
  drives.write("C:\\Lists\\other.bmk", header() + group("Parks"));
  std::string script = (drives.base() / "journey.txt").string();
  std::ofstream(script) << kJourney;

  SessionRun run =
      runSession(quotedArg(script) + " --drive " + quotedArg("C=" + drives.root('C').string()) +
                 " --cwd " + quotedArg("C:\\"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kTranscript);

  EXPECT_EQ(drives.read("C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\config"),
            "\"C:\\Lists\\other.bmk\"\r\n");
  EXPECT_EQ(drives.read("C:\\Lists\\other.bmk"), header() + group("Parks") + group("Trails"));
  EXPECT_EQ(drives.read("C:\\Lists\\copy.bmk"),
            header() + group("Parks") + group("Trails") + group("After Save"));
}

}  // namespace
}  // namespace cw

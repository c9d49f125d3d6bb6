#pragma once

namespace cw::headless {

// The session the main job plays on the sample map: the host creates and clicks the command,
// the user makes a group, takes two bookmarks, zooms back and tidies up.
inline constexpr const char* kDemoScript = R"(# Corbelwick Bookmarks demo session
create
answer No
click
show frmMain
input "Demo Tour"
press frmMain.cmdbtnAddGroup
extent 499000 4199000 501000 4201000
input "Old Town"
press frmMain.cmdbtnAddCurExtent
extent 502000 4198000 506000 4202000
check frmMain.chkViz 1
input "Wide View"
press frmMain.cmdbtnAddCurExtent
show frmMain
dblclick frmMain.lstbxExtentName "Old Town"
state
select frmMain.lstbxExtentName "Wide View"
press frmMain.btnZoom
state
select frmMain.lstbxExtentName "Wide View"
press frmMain.btnRemoveExtent
select frmMain.lstbxGroup "Demo Tour"
press frmMain.btnRemoveGroup
show frmMain
press frmMain.btnClose
)";

}  // namespace cw::headless

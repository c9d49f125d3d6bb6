#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/test_app.h"
#include "ui/controls/list_box.h"
#include "ui/main/frm_main.h"

namespace cw::ui {
namespace {

struct Expected {
  const char* name;
  const char* kind;
  const char* container;
  const char* caption;
  const char* tooltip;
  Twips position;
};

// The bookmarks window as its users see it, in the order of laying out.
const std::vector<Expected> kLayout = {
    {"btnImport", "button", "", "Import", "Imort bookmarks from ArcMap", {4920, 1200, 975, 315}},
    {"btnReset",
     "button",
     "",
     "Reset",
     "Reset tool to start with your local, default bookmark list",
     {5190, 5100, 830, 300}},
    {"btnHelp2", "button", "", "?", "", {5520, 360, 375, 330}},
    {"btnSaveList", "button", "", "Save List", "Save bookmark list", {4160, 5100, 975, 300}},
    {"btnNewList", "button", "", "Clear List", "Clear current bookmarks", {3120, 5100, 975, 300}},
    {"btnLoadList", "button", "", "Load List", "Load bookmark list", {2080, 5100, 975, 300}},
    {"chkViz",
     "check box",
     "",
     "Remember layer visibilities",
     "Remembers which layers were On  or Off",
     {3600, 2100, 2235, 255}},
    {"Frame3", "frame", "", "old", "", {6840, 5340, 615, 555}},
    {"btnHelp", "button", "Frame3", "Help", "", {180, 660, 855, 375}},
    {"btnClose", "button", "Frame3", "Close", "", {120, 420, 1695, 375}},
    {"Frame2", "frame", "", "Bookmarks", "", {120, 2280, 5895, 2115}},
    {"btnZoom", "button", "Frame2", "Zoom", "Zoom to selected bookmark", {4800, 1650, 975, 315}},
    {"cmdbtnAddCurExtent", "button", "Frame2", "Add", "Add a new bookmark", {4800, 840, 975, 315}},
    {"btnRemoveExtent",
     "button",
     "Frame2",
     "Delete",
     "Delete selected bookmark",
     {4800, 1260, 975, 315}},
    {"lstbxExtentName",
     "list box",
     "Frame2",
     "",
     "Double-click a bookmark to zoom",
     {120, 540, 4575, 1425}},
    {"Label3", "label", "Frame2", "(Double-click to zoom)", "", {180, 300, 3015, 195}},
    {"Frame1", "frame", "", "Groups", "", {120, 180, 5895, 1875}},
    {"cmdbtnAddGroup", "button", "Frame1", "Add", "Add a new group", {4800, 600, 975, 315}},
    {"btnRemoveGroup",
     "button",
     "Frame1",
     "Delete",
     "Delete selected group",
     {4800, 1410, 975, 315}},
    {"lstbxGroup",
     "list box",
     "Frame1",
     "",
     "Click on a group to view its bookmarks",
     {120, 300, 4575, 1425}},
    {"Text1", "text box", "", "", "", {2060, 4740, 3975, 285}},
    {"Image2",
     "picture",
     "",
     "",
     "For more information, please visit http://www.corbelwickgis.example or email "
     "info@corbelwickgis.example",
     {60, 4620, 1800, 750}},
    {"Label1", "label", "", "Active bookmark file: ", "", {2040, 4500, 2055, 255}},
};

TEST(FrmMainDescription, ListsEveryControlInOrderWithItsPlaceAndTexts) {
  const WindowSpec& spec = frmMainSpec();
  EXPECT_EQ(spec.name, "frmMain");
  EXPECT_EQ(spec.width, 6150);
  EXPECT_EQ(spec.height, 5505);
  EXPECT_EQ(spec.font, "MS Sans Serif");
  ASSERT_EQ(spec.controls.size(), kLayout.size());
  for (std::size_t i = 0; i < kLayout.size(); ++i) {
    const Expected& e = kLayout[i];
    const ControlSpec& c = spec.controls[i];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(c.name, e.name);
    EXPECT_EQ(kindName(c.kind), e.kind);
    EXPECT_EQ(c.container, e.container);
    EXPECT_EQ(c.caption, e.caption);
    EXPECT_EQ(c.tooltip, e.tooltip);
    EXPECT_EQ(c.position.left, e.position.left);
    EXPECT_EQ(c.position.top, e.position.top);
    EXPECT_EQ(c.position.width, e.position.width);
    EXPECT_EQ(c.position.height, e.position.height);
  }
}

TEST(FrmMainDescription, ContainersComeBeforeTheirControls) {
  const WindowSpec& spec = frmMainSpec();
  std::vector<std::string> seen;
  for (const ControlSpec& c : spec.controls) {
    if (!c.container.empty()) {
      EXPECT_NE(std::find(seen.begin(), seen.end(), c.container), seen.end()) << c.name;
    }
    seen.push_back(c.name);
  }
}

TEST(FrmMainDescription, Frame3LiesOutsideTheClientArea) {
  const WindowSpec& spec = frmMainSpec();
  auto frame3 = std::find_if(spec.controls.begin(), spec.controls.end(),
                             [](const ControlSpec& c) { return c.name == "Frame3"; });
  ASSERT_NE(frame3, spec.controls.end());
  EXPECT_GT(frame3->position.left, spec.width);
  // Every other control of the window itself starts inside the client width.
  for (const ControlSpec& c : spec.controls) {
    if (c.container.empty() && c.name != "Frame3") {
      EXPECT_LT(c.position.left, spec.width) << c.name;
    }
  }
}

TEST(FrmMainDescription, TheWindowObjectStartsUnloadedWithEmptySortedLists) {
  testing::TestApp t;
  FrmMain window(t.module.mainWindowParts());
  EXPECT_FALSE(window.isLoaded());
  EXPECT_EQ(window.controls().size(), kLayout.size());
  window.lstbxGroup().addItem("beta");
  window.lstbxGroup().addItem("Alpha");
  EXPECT_EQ(window.lstbxGroup().items(), (std::vector<std::string>{"Alpha", "beta"}));
  EXPECT_EQ(window.lstbxExtentName().count(), 0);
  EXPECT_EQ(window.Text1().text(), "");
  EXPECT_EQ(window.chkViz().value(), 0);
  EXPECT_TRUE(t.toolkit.messages.empty());
}

}  // namespace
}  // namespace cw::ui

#include "command/module.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

const WindowSpec& frmMainSpec() {
  using K = ControlKind;
  static const WindowSpec spec{
      "frmMain",
      product::kProductName,
      6150,
      5505,
      "MS Sans Serif",
      {
          {"btnImport", K::kButton, "", "Import", "Imort bookmarks from ArcMap", {4920, 1200, 975, 315}},
          {"btnReset", K::kButton, "", "Reset",
           "Reset tool to start with your local, default bookmark list", {5190, 5100, 830, 300}},
          {"btnHelp2", K::kButton, "", "?", "", {5520, 360, 375, 330}},
          {"btnSaveList", K::kButton, "", "Save List", "Save bookmark list", {4160, 5100, 975, 300}},
          {"btnNewList", K::kButton, "", "Clear List", "Clear current bookmarks", {3120, 5100, 975, 300}},
          {"btnLoadList", K::kButton, "", "Load List", "Load bookmark list", {2080, 5100, 975, 300}},
          {"chkViz", K::kCheckBox, "", "Remember layer visibilities",
           "Remembers which layers were On  or Off", {3600, 2100, 2235, 255}},
          {"Frame3", K::kFrame, "", "old", "", {6840, 5340, 615, 555}},
          {"btnHelp", K::kButton, "Frame3", "Help", "", {180, 660, 855, 375}},
          {"btnClose", K::kButton, "Frame3", "Close", "", {120, 420, 1695, 375}},
          {"Frame2", K::kFrame, "", "Bookmarks", "", {120, 2280, 5895, 2115}},
          {"btnZoom", K::kButton, "Frame2", "Zoom", "Zoom to selected bookmark", {4800, 1650, 975, 315}},
          {"cmdbtnAddCurExtent", K::kButton, "Frame2", "Add", "Add a new bookmark", {4800, 840, 975, 315}},
          {"btnRemoveExtent", K::kButton, "Frame2", "Delete", "Delete selected bookmark",
           {4800, 1260, 975, 315}},
          {"lstbxExtentName", K::kListBox, "Frame2", "", "Double-click a bookmark to zoom",
           {120, 540, 4575, 1425}},
          {"Label3", K::kLabel, "Frame2", "(Double-click to zoom)", "", {180, 300, 3015, 195}},
          {"Frame1", K::kFrame, "", "Groups", "", {120, 180, 5895, 1875}},
          {"cmdbtnAddGroup", K::kButton, "Frame1", "Add", "Add a new group", {4800, 600, 975, 315}},
          {"btnRemoveGroup", K::kButton, "Frame1", "Delete", "Delete selected group", {4800, 1410, 975, 315}},
          {"lstbxGroup", K::kListBox, "Frame1", "", "Click on a group to view its bookmarks",
           {120, 300, 4575, 1425}},
          {"Text1", K::kTextBox, "", "", "", {2060, 4740, 3975, 285}},
          {"Image2", K::kPicture, "", "",
           std::string("For more information, please visit ") + product::kWebSite + " or email " +
               product::kInfoEmail,
           {60, 4620, 1800, 750}},
          {"Label1", K::kLabel, "", "Active bookmark file: ", "", {2040, 4500, 2055, 255}},
      }};
  return spec;
}

}  // namespace cw::ui

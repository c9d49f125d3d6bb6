#include "ui/main/frm_main.h"

#include "store/file_utilities.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

FrmMain::FrmMain(const MainWindowParts& parts) : Window(frmMainSpec()), parts_(parts) {
  createControls();
  on("lstbxGroup", Event::kClick, [this] { lstbxGroup_Click(); });
  on("cmdbtnAddGroup", Event::kClick, [this] { cmdbtnAddGroup_Click(); });
  on("cmdbtnAddCurExtent", Event::kClick, [this] { cmdbtnAddCurExtent_Click(); });
  on("btnZoom", Event::kClick, [this] { btnZoom_Click(); });
  on("lstbxExtentName", Event::kDblClick, [this] { lstbxExtentName_DblClick(); });
  on("btnRemoveExtent", Event::kClick, [this] { btnRemoveExtent_Click(); });
  on("btnRemoveGroup", Event::kClick, [this] { btnRemoveGroup_Click(); });
  on("btnImport", Event::kClick, [this] { btnImport_Click(); });
  on("btnNewList", Event::kClick, [this] { btnNewList_Click(); });
  on("btnReset", Event::kClick, [this] { btnReset_Click(); });
  on("btnLoadList", Event::kClick, [this] { btnLoadList_Click(); });
  on("btnSaveList", Event::kClick, [this] { btnSaveList_Click(); });
  on("btnHelp", Event::kClick, [this] { btnHelp_Click(); });
  on("btnHelp2", Event::kClick, [this] { btnHelp2_Click(); });
  on("Image2", Event::kClick, [this] { Image2_Click(); });
  on("btnClose", Event::kClick, [this] { btnClose_Click(); });
}

FrmMain::~FrmMain() = default;

HelpWindowParts helpWindowPartsOf(const MainWindowParts& parts) {
  return {parts.report, parts.identity, parts.shell, parts.frames};
}

ListWindowParts listWindowPartsOf(const MainWindowParts& parts) {
  return {parts.report, parts.session, parts.storage, parts.paths, parts.boxes};
}

store::BookmarkList FrmMain::activeList() const {
  return store::listAt(parts_.storage, parts_.paths, parts_.session.ActiveListPath);
}

bool FrmMain::refusedWriteAccess(const std::string& path) {
  if (store::fCanWriteFile(parts_.storage, path) >= 1) return false;
  tell("It seems you may not have write access to the current bookmark file: \r\n" + path);
  return true;
}

void FrmMain::tell(std::string_view text) {
  parts_.boxes.messageBox(text, platform::MessageButtons::kOk);
}

bool FrmMain::ask(std::string_view question) {
  return parts_.boxes.messageBox(question, platform::MessageButtons::kYesNo) ==
         platform::MessageResult::kYes;
}

}  // namespace cw::ui

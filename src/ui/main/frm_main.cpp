#include "ui/main/frm_main.h"

#include "command/module.h"
#include "store/file_utilities.h"

namespace cw::ui {

FrmMain::FrmMain(Module& module) : Window(frmMainSpec()), module_(module) {
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

bool FrmMain::refusedWriteAccess(const std::string& path) {
  if (store::fCanWriteFile(module_.storage, path) >= 1) return false;
  tell("It seems you may not have write access to the current bookmark file: \r\n" + path);
  return true;
}

void FrmMain::tell(std::string_view text) {
  module_.services.windows.messageBox(text, platform::MessageButtons::kOk);
}

bool FrmMain::ask(std::string_view question) {
  return module_.services.windows.messageBox(question, platform::MessageButtons::kYesNo) ==
         platform::MessageResult::kYes;
}

}  // namespace cw::ui

#include "ui/main/frm_main.h"

#include "command/app_state.h"

namespace cw::ui {

void FrmMain::btnZoom_Click() {}

void FrmMain::lstbxExtentName_DblClick() {}

void FrmMain::zoomToSelectedBookmark(const char*) {}

}  // namespace cw::ui

#include "ui/main/frm_main.h"

#include "command/app_state.h"

namespace cw::ui {

// The import of the document's own bookmarks arrives later; the button does nothing yet.

void FrmMain::btnImport_Click() {}

}  // namespace cw::ui

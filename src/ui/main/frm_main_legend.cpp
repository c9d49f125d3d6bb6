#include "ui/main/frm_main.h"

#include "command/app_state.h"

namespace cw::ui {

host::LayoutElement* FrmMain::GetLegendElement(host::DataFrame*) { return nullptr; }

void FrmMain::RefreshLegend(host::LayoutElement*, host::HostView*) {}

}  // namespace cw::ui

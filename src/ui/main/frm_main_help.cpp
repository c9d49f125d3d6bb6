#include <memory>

#include "errors/error_trap.h"
#include "host/host.h"
#include "ui/controls/window_registry.h"
#include "ui/help/frm_help.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

}  // namespace

// A help window for this showing; the call returns when the user closes it.
void FrmMain::btnHelp_Click() {
  errors::ErrorTrap trap(parts_.report, "btnHelp_Click", kUnit);
  trap.run([&] {
    trap.at(1);  // show the help window until it closes
    FrmHelp help(helpWindowPartsOf(parts_));
    LiveWindow live(parts_.windows, help);
    parts_.boxes.showModal(help);
  });
}

// Another help window in a host frame of its own each time; the process keeps it, so several
// can be open beside the host's windows.
void FrmMain::btnHelp2_Click() {
  auto owned = std::make_unique<FrmHelp>(helpWindowPartsOf(parts_));
  FrmHelp& help = *owned;
  parts_.windows.keep(std::move(owned), true);
  help.Frame()->setVisible(true);
}

void FrmMain::Image2_Click() {
  parts_.shell.openLink(product::kWebSite);
}

}  // namespace cw::ui

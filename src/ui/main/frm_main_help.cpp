#include <memory>

#include "command/module.h"
#include "errors/error_trap.h"
#include "host/host.h"
#include "ui/controls/window_registry.h"
#include "ui/help/frm_help.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

}  // namespace

// A help window for this showing; the call returns when the user closes it.
void FrmMain::btnHelp_Click() {
  errors::ErrorTrap trap(module_.report, "btnHelp_Click", kUnit);
  trap.run([&] {
    trap.at(1);  // show the help window until it closes
    FrmHelp help(module_.helpWindowParts());
    LiveWindow live(module_.windows, help);
    module_.services.windows.showModal(help);
  });
}

// Another help window in a host frame of its own each time; the process keeps it, so several
// can be open beside the host's windows.
void FrmMain::btnHelp2_Click() {
  auto owned = std::make_unique<FrmHelp>(module_.helpWindowParts());
  FrmHelp& help = *owned;
  module_.windows.keep(std::move(owned), true);
  help.Frame()->setVisible(true);
}

void FrmMain::Image2_Click() {
  module_.services.shell.openLink(product::kWebSite);
}

}  // namespace cw::ui

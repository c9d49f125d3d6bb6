#include <memory>

#include "command/app_state.h"
#include "errors/error_trap.h"
#include "host/host.h"
#include "ui/controls/live_window.h"
#include "ui/help/frm_help.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

}  // namespace

// A help window for this showing; the call returns when the user closes it.
void FrmMain::btnHelp_Click() {
  errors::ErrorTrap trap(app_, "btnHelp_Click", kUnit);
  trap.run([&] {
    trap.at(1);
    FrmHelp help(app_);
    LiveWindow live(app_, help);
    app_.toolkit.showModal(help);
  });
}

// Another help window in a host frame of its own each time; the process keeps it, so several
// can be open beside the host's windows.
void FrmMain::btnHelp2_Click() {
  auto owned = std::make_unique<FrmHelp>(app_);
  FrmHelp& help = *owned;
  app_.ownedWindows.push_back(std::move(owned));
  app_.liveWindows.push_back(&help);
  help.Frame()->setVisible(true);
}

void FrmMain::Image2_Click() {
  app_.toolkit.openLink(product::kWebSite);
}

}  // namespace cw::ui

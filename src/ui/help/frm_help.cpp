#include "ui/help/frm_help.h"

#include <string>

#include "base/product.h"
#include "errors/error_trap.h"
#include "host/host.h"
#include "platform/window_host.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmHelp";
constexpr const char* kVisitUs = "Click to visit us!";

}  // namespace

// One line per control: name, kind, container, text, tooltip, position in twips.
// clang-format off
const WindowSpec& frmHelpSpec() {
  using K = ControlKind;
  static const WindowSpec spec{
      "frmHelp",
      "CorbelwickBookmarks - Help",
      5400,
      3240,
      "MS Sans Serif",
      {
          {"Frame1", K::kFrame, "", "", "", {120, 120, 5160, 3000}},
          {"Label7", K::kLabel, "Frame1", "Click Import to load your ArcMap bookmarks!", "",
           {240, 300, 4680, 255}},
          {"Label5", K::kLabel, "Frame1",
           "This tool can be customized - Just let us know what you would like it to do!", "",
           {240, 660, 4680, 495}},
          {"txtVersion", K::kLabel, "Frame1", "Version", "", {240, 1260, 1500, 255}},
          {"Label2", K::kLinkLabel, "Frame1", product::kWebSite, kVisitUs, {240, 1680, 4680, 255}},
          {"Label3", K::kLinkLabel, "Frame1", product::kInfoEmail, "Click to email us!",
           {240, 2040, 4680, 255}},
          {"Label6", K::kLinkLabel, "Frame1", "Product Forum",
           "Visit the CorbelwickGIS Forum discussion for this tool", {240, 2520, 2175, 255}},
          {"Label4", K::kLinkLabel, "Frame1", "Check for Updates", kVisitUs,
           {2640, 2520, 2175, 255}},
      }};
  return spec;
}
// clang-format on

FrmHelp::FrmHelp(const HelpWindowParts& parts) : Window(frmHelpSpec()), parts_(parts) {
  createControls();
  on("Label2", Event::kClick, [this] { Label2_Click(); });
  on("Label3", Event::kClick, [this] { Label3_Click(); });
  on("Label4", Event::kClick, [this] { Label4_Click(); });
  on("Label6", Event::kClick, [this] { Label6_Click(); });
}

FrmHelp::~FrmHelp() = default;

void FrmHelp::Form_Load() {
  errors::ErrorTrap trap(parts_.report, "Form_Load", kUnit);
  trap.run([&] {
    trap.at(1);  // show the product version
    txtVersion().setCaption(parts_.identity.ProductVersion);
  });
}

host::HostFrame* FrmHelp::Frame() {
  if (!frame_) {
    frame_ = &parts_.frames.createFrame();
    frame_->bind(*this);
    frame_->setCaption(parts_.identity.ProductName + " - Help");
  }
  return frame_;
}

// The shell opens each link; its result is not examined and nothing is shown when it fails.

void FrmHelp::Label2_Click() {
  parts_.shell.openLink(product::kWebSite);
}

void FrmHelp::Label3_Click() {
  parts_.shell.openLink(std::string("mailto:") + product::kInfoEmail);
}

void FrmHelp::Label4_Click() {
  parts_.shell.openLink(std::string(product::kWebSite) + product::kProductPagePath);
}

void FrmHelp::Label6_Click() {
  parts_.shell.openLink(product::kForumPage);
}

}  // namespace cw::ui

#pragma once

#include "ui/controls/simple_controls.h"
#include "ui/controls/window.h"

namespace cw {
struct ProductIdentity;
}
namespace cw::errors {
class ErrorReport;
}
namespace cw::host {
class FrameProvider;
class HostFrame;
}  // namespace cw::host
namespace cw::platform {
class Shell;
}

namespace cw::ui {

// What the help window works with: the error report of its trap, the product's identity it
// shows, the shell that opens its links, and whoever makes the frame it may be shown in.
struct HelpWindowParts {
  const errors::ErrorReport& report;
  const ProductIdentity& identity;
  platform::Shell& shell;
  host::FrameProvider& frames;
};

// The one description of the help window.
const WindowSpec& frmHelpSpec();

// The help window: the product's version, two hints and links to the web site, the product
// page, the forum and the info address. Shown modally by Help, or in a host frame of its own
// by "?" (a new window each time).
class FrmHelp : public Window {
 public:
  explicit FrmHelp(const HelpWindowParts& parts);
  ~FrmHelp() override;

  // The host frame that shows this window, created (and the window bound to it) on first read.
  host::HostFrame* Frame();

  void Label2_Click();
  void Label3_Click();
  void Label4_Click();
  void Label6_Click();

  Label& txtVersion() { return get<Label>("txtVersion"); }

 protected:
  void Form_Load() override;

 private:
  HelpWindowParts parts_;
  host::HostFrame* frame_ = nullptr;
};

}  // namespace cw::ui

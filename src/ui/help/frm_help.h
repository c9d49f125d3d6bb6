#pragma once

#include "ui/controls/simple_controls.h"
#include "ui/controls/window.h"

namespace cw {
class Module;
}
namespace cw::host {
class HostFrame;
}

namespace cw::ui {

// The one description of the help window.
const WindowSpec& frmHelpSpec();

// The help window: the product's version, two hints and links to the web site, the product
// page, the forum and the info address. Shown modally by Help, or in a host frame of its own
// by "?" (a new window each time).
class FrmHelp : public Window {
 public:
  explicit FrmHelp(Module& module);
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
  Module& module_;
  host::HostFrame* frame_ = nullptr;
};

}  // namespace cw::ui

#pragma once

// A window of every simple kind and a list box, whose handlers write down what they were
// called for.

#include <string>
#include <vector>

#include "ui/controls/simple_controls.h"
#include "ui/controls/window.h"

namespace cw::win32::testing {

using K = ui::ControlKind;
using ui::Event;

inline const ui::WindowSpec kProbeSpec{
    "frmProbe",
    "Probe",
    4800,
    3600,
    "MS Sans Serif",
    {
        {"fra", K::kFrame, "", "Things", "", {120, 120, 4500, 2400}},
        {"lst", K::kListBox, "fra", "", "", {120, 240, 2400, 1800}},
        {"btn", K::kButton, "fra", "Go", "", {2640, 240, 975, 375}},
        {"chk", K::kCheckBox, "", "Tick", "", {120, 2640, 1500, 255}},
        {"txt", K::kTextBox, "", "", "", {120, 3000, 2400, 315}},
        {"lbl", K::kLabel, "", "Label", "", {2640, 3000, 1500, 255}},
        {"lnk", K::kLinkLabel, "", "Link", "", {2640, 2640, 1500, 255}},
    }};

class ProbeWindow : public ui::Window {
 public:
  ProbeWindow() : Window(kProbeSpec) {
    createControls();
    for (const char* name : {"lst", "btn", "chk", "lbl", "lnk"}) {
      on(name, Event::kClick, [this, name] { calls.push_back(std::string(name) + " click"); });
    }
    on("lst", Event::kDblClick, [this] { calls.push_back("lst dblclick"); });
    on("txt", Event::kChange,
       [this] { calls.push_back("txt change " + get<ui::TextBox>("txt").text()); });
  }
  std::vector<std::string> calls;
};

}  // namespace cw::win32::testing

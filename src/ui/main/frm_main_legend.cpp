#include "errors/error_trap.h"
#include "host/host.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

[[noreturn]] void objectNotSet() {
  throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
}

}  // namespace

// The last legend frame on the page layout whose map is this very data frame (the same host
// object; a data frame of the same name is another map).
host::LayoutElement* FrmMain::GetLegendElement(host::DataFrame* map) {
  host::LayoutElement* result = nullptr;
  errors::ErrorTrap trap(parts_.report, "GetLegendElement", kUnit);
  trap.run([&] {
    trap.at(1);  // no legend found yet
    result = nullptr;
    trap.at(2);  // walk the page layout from its start
    host::PageLayout& layout = parts_.session.document().pageLayout();
    layout.restartElements();
    trap.at(3);  // keep the last legend of this map
    for (host::LayoutElement* element = layout.nextElement(); element;
         element = layout.nextElement()) {
      if (element->isMapSurroundFrame() && element->map() == map && element->isLegend()) {
        result = element;
      }
    }
  });
  return result;
}

// Refreshes a legend frame, fits it into its bounds and has the view redraw it.
void FrmMain::RefreshLegend(host::LayoutElement* element, host::HostView* view) {
  errors::ErrorTrap trap(parts_.report, "RefreshLegend", kUnit);
  trap.run([&] {
    trap.at(1);  // refresh the legend
    if (!element || !view) objectNotSet();
    if (!element->isMapSurroundFrame() || !element->isLegend()) {
      throw Failure(err::kTypeMismatch, "Type mismatch");
    }
    host::PageLayout& layout = parts_.session.document().pageLayout();
    layout.refreshLegend(*element);
    trap.at(2);  // fit it into its bounds
    host::Envelope bounds = element->bounds();
    bool changed = true;
    layout.fitLegend(*element, bounds, changed);
    trap.at(3);  // have the view redraw it
    view->invalidate(host::DrawPhase::kGraphics, element);
  });
}

}  // namespace cw::ui

#pragma once

#include "host/host_view.h"

namespace cw::host {

class LayoutElement;

// The page layout: a view of the printed page and the container of its elements.
class PageLayout : public HostView {
 public:
  // The element walk: restart, then next until it yields nullptr.
  virtual void restartElements() = 0;
  virtual LayoutElement* nextElement() = 0;
  // A legend's refresh and its fit into bounds (the changed flag is in/out).
  virtual void refreshLegend(LayoutElement& legend) = 0;
  virtual void fitLegend(LayoutElement& legend, const Envelope& bounds, bool& changed) = 0;
};

}  // namespace cw::host

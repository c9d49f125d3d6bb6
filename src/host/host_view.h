#pragma once

#include "host/envelope.h"

namespace cw::host {

class DataFrame;

// A view the document can show: a data frame's map view or the page layout.
class HostView {
 public:
  virtual ~HostView() = default;
  virtual bool isPageLayout() const = 0;
  virtual Envelope extent() const = 0;
  virtual void setExtent(const Envelope& extent) = 0;
  // The invalidation of one drawing phase, with an object (a layout element) or none.
  virtual void invalidate(DrawPhase phase, const void* object) = 0;
  // The view's focus data frame: a data frame itself, or the document's focus for the layout.
  virtual DataFrame& focusMap() = 0;
};

}  // namespace cw::host

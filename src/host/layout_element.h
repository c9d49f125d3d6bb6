#pragma once

#include "host/envelope.h"

namespace cw::host {

class DataFrame;

// One element of the page layout.
class LayoutElement {
 public:
  virtual ~LayoutElement() = default;
  // A frame around a map surround: a legend, a north arrow or a scale bar.
  virtual bool isMapSurroundFrame() const = 0;
  virtual bool isLegend() const = 0;
  // The data frame a map surround (or a map frame) belongs to, the host's own object for
  // comparing by identity; nullptr for other elements.
  virtual DataFrame* map() const = 0;
  // Where the element sits on the page.
  virtual Envelope bounds() const = 0;
};

}  // namespace cw::host

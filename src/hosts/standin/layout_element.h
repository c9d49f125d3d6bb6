#pragma once

#include <string>

#include "host/layout_element.h"
#include "hosts/standin/data_frame.h"

namespace cw::standin {

class LayoutElement : public host::LayoutElement {
 public:
  enum class Kind { kLegend, kNorthArrow, kScaleBar, kText, kMapFrame };
  Kind kind = Kind::kText;
  DataFrame* dataFrame = nullptr;  // the data frame of a map surround frame or map frame
  host::Envelope pageBounds;       // on the page
  std::string text;
  int refreshCount = 0;  // legend refreshes
  int fitCount = 0;      // fits into bounds
  bool stale = false;    // refreshed since its last fit

  bool isMapSurroundFrame() const override {
    return kind == Kind::kLegend || kind == Kind::kNorthArrow || kind == Kind::kScaleBar;
  }
  bool isLegend() const override { return kind == Kind::kLegend; }
  DataFrame* map() const override { return dataFrame; }
  host::Envelope bounds() const override { return pageBounds; }
};

}  // namespace cw::standin

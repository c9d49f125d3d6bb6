#pragma once

#include <memory>
#include <vector>

#include "host/host.h"
#include "hosts/com/com_ref.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com {

class ComDocument;
class ComLayoutElement;

// The page layout of the host's document: a view of the printed page (over IActiveView) and
// the container of its elements (over IGraphicsContainer).
class ComPageLayout : public host::PageLayout {
 public:
  // Holds a reference of its own to `layout`; `document` is the document it belongs to, which
  // outlives it.
  ComPageLayout(IUnknown* layout, ComDocument& document);
  ~ComPageLayout() override;

  IUnknown* object() const { return layout_.get(); }

  bool isPageLayout() const override { return true; }
  host::Envelope extent() const override;
  void setExtent(const host::Envelope& extent) override;
  // `object` is an element of this layout, or none.
  void invalidate(host::DrawPhase phase, const void* object) override;
  host::DataFrame& focusMap() override;

  void restartElements() override;
  host::LayoutElement* nextElement() override;
  void refreshLegend(host::LayoutElement& legend) override;
  void fitLegend(host::LayoutElement& legend, const host::Envelope& bounds, bool& changed) override;

 private:
  ComRef<IActiveView> view() const;

  ComRef<IUnknown> layout_;
  ComDocument& document_;
  ComRef<IGraphicsContainer> walk_;  // since the last restart
  std::vector<std::unique_ptr<ComLayoutElement>> elements_;
};

// An element of the page layout, over the host's IElement; a map-surround frame is asked for
// its data frame and its surround.
class ComLayoutElement : public host::LayoutElement {
 public:
  ComLayoutElement(IElement* element, ComDocument& document);
  ~ComLayoutElement() override;

  IElement* object() const { return element_.get(); }

  bool isMapSurroundFrame() const override;
  bool isLegend() const override;
  host::DataFrame* map() const override;
  host::Envelope bounds() const override;

  // The surround of a map-surround frame; fails (type mismatch) for other elements.
  ComRef<IMapSurround> surround() const;

 private:
  ComRef<IMapSurroundFrame> frame() const;

  ComRef<IElement> element_;
  ComDocument& document_;
};

}  // namespace cw::com

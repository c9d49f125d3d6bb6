#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/page_layout.h"
#include "hosts/standin/layout_element.h"

namespace cw::standin {

class Document;

class PageLayout : public host::PageLayout {
 public:
  explicit PageLayout(Document& document) : document_(document) {}
  bool isPageLayout() const override { return true; }
  host::Envelope extent() const override;
  void setExtent(const host::Envelope& extent) override;
  void invalidate(host::DrawPhase phase, const void* object) override;
  DataFrame& focusMap() override;

  void restartElements() override;
  LayoutElement* nextElement() override;
  // An element of another layout is a type mismatch.
  void refreshLegend(host::LayoutElement& legend) override;
  void fitLegend(host::LayoutElement& legend, const host::Envelope& bounds, bool& changed) override;

  std::vector<std::unique_ptr<LayoutElement>> elements;
  host::Envelope page{0, 0, 8.5, 11};  // the sheet, in page units (inches)

  // The position of an element in the layout, or -1; and its readable form for call lines
  // (#2 legend "Main Map").
  int indexOf(const void* object) const;
  std::string describe(const void* object) const;

 private:
  LayoutElement& own(host::LayoutElement& element);
  Document& document_;
  std::size_t cursor_ = 0;
  std::optional<host::Envelope> zoomed_;  // the shown part of the page once set; the page before
};

}  // namespace cw::standin

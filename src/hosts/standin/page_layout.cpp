#include "hosts/standin/page_layout.h"

#include "base/failure.h"
#include "hosts/standin/document.h"
#include "hosts/standin/text_forms.h"

namespace cw::standin {

namespace {

const char* kindWord(LayoutElement::Kind kind) {
  switch (kind) {
    case LayoutElement::Kind::kLegend:
      return "legend";
    case LayoutElement::Kind::kNorthArrow:
      return "northArrow";
    case LayoutElement::Kind::kScaleBar:
      return "scaleBar";
    case LayoutElement::Kind::kText:
      return "text";
    case LayoutElement::Kind::kMapFrame:
      return "mapFrame";
  }
  return "element";
}

std::string extentText(const host::Envelope& e) {
  return shortestText(e.XMin) + " " + shortestText(e.YMin) + " " + shortestText(e.XMax) + " " +
         shortestText(e.YMax);
}

}  // namespace

host::Envelope PageLayout::extent() const {
  return zoomed_ ? *zoomed_ : page;
}

void PageLayout::setExtent(const host::Envelope& extent) {
  document_.record("setExtent layout " + extentText(extent));
  zoomed_ = extent;
  document_.changed();
}

void PageLayout::invalidate(host::DrawPhase phase, const void* object) {
  std::string call = "invalidate layout " + std::to_string(static_cast<int>(phase));
  if (object) call += " " + describe(object);
  document_.record(std::move(call));
  if (phase == host::DrawPhase::kGeography) ++document_.mapInvalidations;
  if (phase == host::DrawPhase::kGraphics) ++document_.graphicsInvalidations;
  document_.changed();
}

DataFrame& PageLayout::focusMap() {
  return document_.focusMap();
}

void PageLayout::restartElements() {
  document_.record("restartElements");
  cursor_ = 0;
}

LayoutElement* PageLayout::nextElement() {
  LayoutElement* next = cursor_ < elements.size() ? elements[cursor_].get() : nullptr;
  document_.record("nextElement " + (next ? describe(next) : std::string("none")));
  if (next) ++cursor_;
  return next;
}

void PageLayout::refreshLegend(host::LayoutElement& element) {
  document_.record("refreshLegend " + describe(&element));
  LayoutElement& legend = own(element);
  // Only a legend can be refreshed; another surround taken as one is the runtime's mismatch.
  if (!legend.isLegend()) throw Failure(err::kTypeMismatch, "Type mismatch");
  ++legend.refreshCount;
  legend.stale = true;
  document_.changed();
}

void PageLayout::fitLegend(host::LayoutElement& element, const host::Envelope& bounds,
                           bool& changed) {
  document_.record("fitLegend " + describe(&element) + " " + extentText(bounds));
  LayoutElement& legend = own(element);
  // Any map surround fits into bounds; other elements have no surround.
  if (!legend.isMapSurroundFrame()) throw Failure(err::kTypeMismatch, "Type mismatch");
  changed = legend.stale || !(legend.pageBounds == bounds);
  legend.pageBounds = bounds;
  legend.stale = false;
  ++legend.fitCount;
  document_.changed();
}

int PageLayout::indexOf(const void* object) const {
  for (std::size_t i = 0; i < elements.size(); ++i) {
    // The system hands elements back as the host's interface, others as the stand-in's own.
    const LayoutElement* element = elements[i].get();
    if (element == object || static_cast<const host::LayoutElement*>(element) == object) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::string PageLayout::describe(const void* object) const {
  int index = indexOf(object);
  if (index < 0) return "object";
  const LayoutElement& element = *elements[static_cast<std::size_t>(index)];
  std::string text = "#" + std::to_string(index) + " " + kindWord(element.kind);
  if (element.dataFrame) text += " " + quotedName(element.dataFrame->name());
  return text;
}

LayoutElement& PageLayout::own(host::LayoutElement& element) {
  const int index = indexOf(&element);
  if (index < 0) throw Failure(err::kTypeMismatch, "Type mismatch");
  return *elements[static_cast<std::size_t>(index)];
}

}  // namespace cw::standin

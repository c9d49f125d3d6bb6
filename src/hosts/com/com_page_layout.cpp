#include "hosts/com/com_page_layout.h"

#include "base/failure.h"
#include "hosts/com/com_data_frame.h"
#include "hosts/com/com_document.h"
#include "hosts/com/com_envelope.h"
#include "hosts/com/host_call.h"
#include "hosts/com/wrapper_cache.h"

namespace cw::com {

namespace {

[[noreturn]] void typeMismatch() {
  throw Failure(err::kTypeMismatch, "Type mismatch");
}

ComLayoutElement& asHostElement(host::LayoutElement& element) {
  auto* hostElement = dynamic_cast<ComLayoutElement*>(&element);
  if (!hostElement) typeMismatch();
  return *hostElement;
}

}  // namespace

ComPageLayout::ComPageLayout(IUnknown* layout, ComDocument& document)
    : layout_(ComRef<IUnknown>::share(layout)), document_(document) {}
ComPageLayout::~ComPageLayout() = default;

ComRef<IActiveView> ComPageLayout::view() const {
  ComRef<IActiveView> view;
  hostObject(layout_->QueryInterface(kIidIActiveView, view.outVoid()), view);
  return view;
}

host::Envelope ComPageLayout::extent() const {
  ComRef<IEnvelope> extent;
  hostObject(view()->get_Extent(extent.out()), extent);
  return readEnvelope(extent.get());
}

void ComPageLayout::setExtent(const host::Envelope& extent) {
  ComRef<IEnvelope> shown = newEnvelope(extent);
  hostCall(view()->put_Extent(shown.get()));
}

void ComPageLayout::invalidate(host::DrawPhase phase, const void* object) {
  IUnknown* data = nullptr;
  if (object) {
    auto* element = static_cast<const host::LayoutElement*>(object);
    auto* hostElement = dynamic_cast<const ComLayoutElement*>(element);
    if (!hostElement) typeMismatch();
    data = hostElement->object();
  }
  hostCall(view()->PartialRefresh(static_cast<LONG>(phase), data, nullptr));
}

host::DataFrame& ComPageLayout::focusMap() {
  ComRef<IMap> map;
  hostObject(view()->get_FocusMap(map.out()), map);
  return document_.frameFor(map.get());
}

void ComPageLayout::restartElements() {
  ComRef<IGraphicsContainer> walk;
  hostObject(layout_->QueryInterface(kIidIGraphicsContainer, walk.outVoid()), walk);
  hostCall(walk->Reset());
  walk_ = std::move(walk);
}

host::LayoutElement* ComPageLayout::nextElement() {
  if (!walk_) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  ComRef<IElement> element;
  hostCall(walk_->Next(element.out()));
  if (!element) return nullptr;
  for (const std::unique_ptr<ComLayoutElement>& known : elements_) {
    if (sameObject(known->object(), element.get())) return known.get();
  }
  elements_.push_back(std::make_unique<ComLayoutElement>(element.get(), document_));
  return elements_.back().get();
}

void ComPageLayout::refreshLegend(host::LayoutElement& legend) {
  ComLayoutElement& element = asHostElement(legend);
  if (!element.isLegend()) typeMismatch();
  hostCall(element.surround()->Refresh());
}

void ComPageLayout::fitLegend(host::LayoutElement& legend, const host::Envelope& bounds,
                              bool& changed) {
  ComLayoutElement& element = asHostElement(legend);
  ComRef<IUnknown> display;
  hostObject(view()->get_ScreenDisplay(display.out()), display);
  ComRef<IEnvelope> fitInto = newEnvelope(bounds);
  VARIANT_BOOL flag = changed ? VARIANT_TRUE : VARIANT_FALSE;
  hostCall(element.surround()->FitToBounds(display.get(), fitInto.get(), &flag));
  changed = flag != VARIANT_FALSE;
}

ComLayoutElement::ComLayoutElement(IElement* element, ComDocument& document)
    : element_(ComRef<IElement>::share(element)), document_(document) {}
ComLayoutElement::~ComLayoutElement() = default;

ComRef<IMapSurroundFrame> ComLayoutElement::frame() const {
  ComRef<IMapSurroundFrame> frame;
  if (FAILED(element_->QueryInterface(kIidIMapSurroundFrame, frame.outVoid()))) {
    return ComRef<IMapSurroundFrame>();
  }
  return frame;
}

bool ComLayoutElement::isMapSurroundFrame() const {
  return static_cast<bool>(frame());
}

ComRef<IMapSurround> ComLayoutElement::surround() const {
  ComRef<IMapSurroundFrame> surroundFrame = frame();
  if (!surroundFrame) typeMismatch();
  ComRef<IMapSurround> surround;
  hostObject(surroundFrame->get_MapSurround(surround.out()), surround);
  return surround;
}

bool ComLayoutElement::isLegend() const {
  if (!isMapSurroundFrame()) return false;
  ComRef<IUnknown> legend;
  return SUCCEEDED(surround()->QueryInterface(kIidILegend, legend.outVoid())) && legend;
}

host::DataFrame* ComLayoutElement::map() const {
  ComRef<IMapSurroundFrame> surroundFrame = frame();
  if (!surroundFrame) return nullptr;
  ComRef<IMapFrame> mapFrame;
  hostObject(surroundFrame->get_MapFrame(mapFrame.out()), mapFrame);
  ComRef<IMap> map;
  hostObject(mapFrame->get_Map(map.out()), map);
  return &document_.frameFor(map.get());
}

host::Envelope ComLayoutElement::bounds() const {
  ComRef<IGeometry> geometry;
  hostObject(element_->get_Geometry(geometry.out()), geometry);
  ComRef<IEnvelope> envelope;
  hostObject(geometry->get_Envelope(envelope.out()), envelope);
  return readEnvelope(envelope.get());
}

}  // namespace cw::com

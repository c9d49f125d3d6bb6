#include "hosts/comhost/layout_objects.h"

#include "base/failure.h"
#include "hosts/comhost/com_host.h"
#include "hosts/comhost/envelope_object.h"
#include "hosts/comhost/own_object.h"
#include "hosts/comhost/served_call.h"

namespace cw::comhost {

namespace {

template <typename Object, typename Interface>
HRESULT lend(Object& object, Interface** out) {
  return handOut(static_cast<Interface*>(&object), reinterpret_cast<void**>(out));
}

// The layout an element is on: the host's document's.
standin::PageLayout& layoutOf(ComHost& host) {
  return *host.standin().document().layout;
}

}  // namespace

// --- a data frame's frame ---

HRESULT MapFrameObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::IMapFrame))) {
    return handOut(static_cast<IMapFrame*>(this), object);
  }
  return answerOwn(this, iid, object);
}

HRESULT MapFrameObject::get_Map(IMap** map) {
  if (!map) return E_POINTER;
  *map = nullptr;
  if (!element_.dataFrame) return E_FAIL;
  return served([&] { return lend(host_.objectFor<MapObject>(*element_.dataFrame), map); });
}

// --- surrounds ---

HRESULT SurroundObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::IMapSurround)) ||
      (element_.isLegend() && IsEqualIID(iid, __uuidof(::ILegend)))) {
    return handOut(static_cast<IMapSurround*>(this), object);
  }
  return answerOwn(this, iid, object);
}

HRESULT SurroundObject::Refresh() {
  return served([&] {
    layoutOf(host_).refreshLegend(element_);
    return S_OK;
  });
}

HRESULT SurroundObject::FitToBounds(IUnknown*, IEnvelope* bounds, VARIANT_BOOL* changed) {
  if (!changed) return E_POINTER;
  return served([&] {
    host::Envelope corners;
    const HRESULT read = EnvelopeObject::cornersOf(bounds, corners);
    if (FAILED(read)) return read;
    bool fitted = *changed != VARIANT_FALSE;
    layoutOf(host_).fitLegend(element_, corners, fitted);
    *changed = variantBool(fitted);
    return S_OK;
  });
}

// --- elements ---

ElementObject::ElementObject(ComHost& host, standin::LayoutElement& element)
    : element_(element), surround_(host, element), mapFrame_(host, element) {}

LONG ElementObject::allReferences() const {
  return references() + surround_.references() + mapFrame_.references();
}

HRESULT ElementObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::IElement))) {
    return handOut(static_cast<IElement*>(this), object);
  }
  if (element_.isMapSurroundFrame() && IsEqualIID(iid, __uuidof(::IMapSurroundFrame))) {
    return handOut(static_cast<IMapSurroundFrame*>(this), object);
  }
  return answerOwn(this, iid, object);
}

HRESULT ElementObject::get_Geometry(IGeometry** geometry) {
  if (!geometry) return E_POINTER;
  *geometry = EnvelopeObject::make(element_.bounds());
  return S_OK;
}

HRESULT ElementObject::get_MapSurround(IMapSurround** surround) {
  if (!surround) return E_POINTER;
  return lend(surround_, surround);
}

HRESULT ElementObject::get_MapFrame(IMapFrame** frame) {
  if (!frame) return E_POINTER;
  *frame = nullptr;
  if (!element_.dataFrame) return E_FAIL;
  return lend(mapFrame_, frame);
}

// --- the layout ---

HRESULT PageLayoutObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::IGraphicsContainer))) {
    return handOut(static_cast<IGraphicsContainer*>(this), object);
  }
  if (IsEqualIID(iid, __uuidof(::IPageLayout))) {
    return handOut(static_cast<IPageLayout*>(this), object);
  }
  if (IsEqualIID(iid, __uuidof(::IActiveView)))
    return handOut(static_cast<IActiveView*>(this), object);
  return answerOwn(this, iid, object);
}

HRESULT PageLayoutObject::Next(IElement** element) {
  if (!element) return E_POINTER;
  *element = nullptr;
  return served([&] {
    auto* next = static_cast<standin::LayoutElement*>(layout_.nextElement());
    if (!next) return S_FALSE;
    return lend(host_.objectFor<ElementObject>(*next), element);
  });
}

HRESULT PageLayoutObject::Reset() {
  return served([&] {
    layout_.restartElements();
    return S_OK;
  });
}

HRESULT PageLayoutObject::get_Extent(IEnvelope** extent) {
  if (!extent) return E_POINTER;
  *extent = EnvelopeObject::make(layout_.extent());
  return S_OK;
}

HRESULT PageLayoutObject::put_Extent(IEnvelope* extent) {
  return served([&] {
    host::Envelope corners;
    const HRESULT read = EnvelopeObject::cornersOf(extent, corners);
    if (FAILED(read)) return read;
    layout_.setExtent(corners);
    return S_OK;
  });
}

HRESULT PageLayoutObject::get_ScreenDisplay(IUnknown** display) {
  if (!display) return E_POINTER;
  return lend(*static_cast<IGraphicsContainer*>(this), display);
}

HRESULT PageLayoutObject::get_GraphicsContainer(IGraphicsContainer** container) {
  if (!container) return E_POINTER;
  return lend(*static_cast<IGraphicsContainer*>(this), container);
}

HRESULT PageLayoutObject::get_FocusMap(IMap** map) {
  if (!map) return E_POINTER;
  *map = nullptr;
  return served([&] { return lend(host_.objectFor<MapObject>(layout_.focusMap()), map); });
}

HRESULT PageLayoutObject::PartialRefresh(LONG phase, IUnknown* data, IEnvelope*) {
  return served([&] {
    const void* element = nullptr;
    if (data) {
      auto* own = ownObject<HostObject>(data);
      if (!own) throw Failure(err::kTypeMismatch, "Type mismatch");
      element = host_.sourceOf(*own);
    }
    layout_.invalidate(static_cast<host::DrawPhase>(phase), element);
    return S_OK;
  });
}

HRESULT PageLayoutObject::Refresh() {
  return PartialRefresh(static_cast<LONG>(host::DrawPhase::kGraphics), nullptr, nullptr);
}

}  // namespace cw::comhost

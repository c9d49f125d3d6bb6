#include "hosts/comhost/map_objects.h"

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

[[noreturn]] void typeMismatch() {
  throw Failure(err::kTypeMismatch, "Type mismatch");
}

}  // namespace

// --- layers ---

HRESULT LayerObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  const bool group = layer_.isGroupLayer();
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::ILayer)) ||
      (group && IsEqualIID(iid, __uuidof(::IGroupLayer))) ||
      (layer_.isFeatureLayer() && IsEqualIID(iid, __uuidof(::IFeatureLayer)))) {
    return handOut(static_cast<ILayer*>(this), object);
  }
  if (group && IsEqualIID(iid, __uuidof(::ICompositeLayer))) {
    return handOut(static_cast<ICompositeLayer*>(this), object);
  }
  return answerOwn(this, iid, object);
}

HRESULT LayerObject::get_Name(BSTR* name) {
  return served([&] { return textOut(layer_.name(), name); });
}

HRESULT LayerObject::get_Visible(VARIANT_BOOL* visible) {
  if (!visible) return E_POINTER;
  *visible = variantBool(layer_.visible());
  return S_OK;
}

HRESULT LayerObject::put_Visible(VARIANT_BOOL visible) {
  return served([&] {
    layer_.setVisible(visible != VARIANT_FALSE);
    return S_OK;
  });
}

HRESULT LayerObject::get_Count(LONG* count) {
  if (!count) return E_POINTER;
  return served([&] {
    *count = layer_.memberCount();
    return S_OK;
  });
}

HRESULT LayerObject::get_Layer(LONG index, ILayer** layer) {
  if (!layer) return E_POINTER;
  *layer = nullptr;
  return served([&] {
    if (index < 0 || index >= layer_.memberCount()) return E_INVALIDARG;
    return lend(host_.objectFor<LayerObject>(layer_.member(index)), layer);
  });
}

// --- bookmarks ---

HRESULT BookmarkObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::ISpatialBookmark))) {
    return handOut(static_cast<ISpatialBookmark*>(this), object);
  }
  return answerOwn(this, iid, object);
}

HRESULT BookmarkObject::get_Name(BSTR* name) {
  return served([&] { return textOut(bookmark_.name(), name); });
}

HRESULT BookmarkObject::ZoomTo(IMap* map) {
  return served([&] {
    MapObject* own = ownObject<MapObject>(map);
    if (!own) typeMismatch();
    bookmark_.applyTo(own->frame());
    return S_OK;
  });
}

HRESULT BookmarkWalkObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::IEnumSpatialBookmark))) {
    return handOut(static_cast<IEnumSpatialBookmark*>(this), object);
  }
  return answerOwn(this, iid, object);
}

HRESULT BookmarkWalkObject::Next(ISpatialBookmark** bookmark) {
  if (!bookmark) return E_POINTER;
  *bookmark = nullptr;
  return served([&] {
    standin::SpatialBookmark* next = frame_.nextBookmark();
    if (!next) return S_FALSE;
    return lend(host_.objectFor<BookmarkObject>(*next), bookmark);
  });
}

HRESULT BookmarkWalkObject::Reset() {
  return served([&] {
    frame_.restartBookmarks();
    return S_OK;
  });
}

// --- data frames ---

HRESULT MapObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::IMap))) {
    return handOut(static_cast<IMap*>(this), object);
  }
  if (IsEqualIID(iid, __uuidof(::IMapBookmarks)))
    return handOut(static_cast<IMapBookmarks*>(this), object);
  if (IsEqualIID(iid, __uuidof(::IActiveView)))
    return handOut(static_cast<IActiveView*>(this), object);
  return answerOwn(this, iid, object);
}

HRESULT MapObject::get_Name(BSTR* name) {
  return served([&] { return textOut(frame_.name(), name); });
}

HRESULT MapObject::get_LayerCount(LONG* count) {
  if (!count) return E_POINTER;
  return served([&] {
    *count = frame_.queryLayerCount();
    return S_OK;
  });
}

HRESULT MapObject::get_Layer(LONG index, ILayer** layer) {
  if (!layer) return E_POINTER;
  *layer = nullptr;
  return served([&] {
    if (index < 0 || index >= frame_.layerCount()) return E_INVALIDARG;
    return lend(host_.objectFor<LayerObject>(frame_.layer(index)), layer);
  });
}

HRESULT MapObject::get_Bookmarks(IEnumSpatialBookmark** walk) {
  if (!walk) return E_POINTER;
  return lend(walk_, walk);
}

HRESULT MapObject::get_Extent(IEnvelope** extent) {
  if (!extent) return E_POINTER;
  *extent = EnvelopeObject::make(frame_.extent());
  return S_OK;
}

HRESULT MapObject::put_Extent(IEnvelope* extent) {
  return served([&] {
    host::Envelope corners;
    const HRESULT read = EnvelopeObject::cornersOf(extent, corners);
    if (FAILED(read)) return read;
    frame_.setExtent(corners);
    return S_OK;
  });
}

HRESULT MapObject::get_FocusMap(IMap** map) {
  if (!map) return E_POINTER;
  return lend(*this, map);
}

HRESULT MapObject::PartialRefresh(LONG phase, IUnknown* data, IEnvelope*) {
  return served([&] {
    const void* element = nullptr;
    if (data) {
      auto* own = ownObject<HostObject>(data);
      if (!own) typeMismatch();
      element = host_.sourceOf(*own);
    }
    frame_.invalidate(static_cast<host::DrawPhase>(phase), element);
    return S_OK;
  });
}

HRESULT MapObject::Refresh() {
  return PartialRefresh(static_cast<LONG>(host::DrawPhase::kGeography), nullptr, nullptr);
}

// --- the document's maps ---

HRESULT MapsObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::IMaps))) {
    return handOut(static_cast<IMaps*>(this), object);
  }
  return answerOwn(this, iid, object);
}

HRESULT MapsObject::get_Count(LONG* count) {
  if (!count) return E_POINTER;
  return served([&] {
    *count = document_.queryDataFrameCount();
    return S_OK;
  });
}

HRESULT MapsObject::get_Item(LONG index, IMap** map) {
  if (!map) return E_POINTER;
  *map = nullptr;
  return served([&] {
    if (index < 0 || index >= document_.dataFrameCount()) return E_INVALIDARG;
    return lend(host_.objectFor<MapObject>(document_.dataFrame(index)), map);
  });
}

}  // namespace cw::comhost

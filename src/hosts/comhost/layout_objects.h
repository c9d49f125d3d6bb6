#pragma once

// The stand-in host's page layout as COM objects: the layout with its view and its elements in
// order, each element with its bounds, and a map-surround frame's surround and map frame.

#include <memory>

#include "host_library.h"  // the host's interfaces as the stand-in declares them (idl/)
#include "hosts/comhost/active_view_slots.h"
#include "hosts/comhost/host_object.h"
#include "hosts/comhost/map_objects.h"
#include "hosts/standin/page_layout.h"

namespace cw::comhost {

class ComHost;
class ElementObject;

// The frame of a data frame on the layout.
class MapFrameObject : public HostObject, public IMapFrame {
 public:
  MapFrameObject(ComHost& host, standin::LayoutElement& element) : host_(host), element_(element) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES
  HRESULT STDMETHODCALLTYPE get_Map(IMap** map) override;
  CW_NOT_SERVED(get_Object(VARIANT*))
  CW_NOT_SERVED(get_Border(IUnknown**))
  CW_NOT_SERVED(put_Border(IUnknown*))
  CW_NOT_SERVED(get_Background(IUnknown**))
  CW_NOT_SERVED(put_Background(IUnknown*))
  CW_NOT_SERVED(get_Thumbnail(OLE_HANDLE*))
  CW_NOT_SERVED(get_DraftMode(VARIANT_BOOL*))
  CW_NOT_SERVED(put_DraftMode(VARIANT_BOOL))

 private:
  ComHost& host_;
  standin::LayoutElement& element_;
};

// What a map-surround frame holds: a legend answers as one, a north arrow or scale bar does
// not. Its refreshes and fits reach the layout.
class SurroundObject : public HostObject, public IMapSurround {
 public:
  SurroundObject(ComHost& host, standin::LayoutElement& element) : host_(host), element_(element) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES
  HRESULT STDMETHODCALLTYPE Refresh() override;
  HRESULT STDMETHODCALLTYPE FitToBounds(IUnknown* display, IEnvelope* bounds,
                                        VARIANT_BOOL* changed) override;
  CW_NOT_SERVED(get_Map(IMap**))
  CW_NOT_SERVED(putref_Map(IMap*))
  CW_NOT_SERVED(get_Name(BSTR*))
  CW_NOT_SERVED(put_Name(BSTR))
  CW_NOT_SERVED(get_Icon(OLE_HANDLE*))
  CW_NOT_SERVED(QueryBounds(IUnknown*, IEnvelope*, IEnvelope*))
  CW_NOT_SERVED(DelayEvents(VARIANT_BOOL))
  CW_NOT_SERVED(Draw(IUnknown*, IUnknown*, IEnvelope*))

 private:
  ComHost& host_;
  standin::LayoutElement& element_;
};

// An element of the layout; a legend, north arrow or scale bar is a map-surround frame too.
class ElementObject : public HostObject, public IElement, public IMapSurroundFrame {
 public:
  ElementObject(ComHost& host, standin::LayoutElement& element);

  LONG allReferences() const override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES
  HRESULT STDMETHODCALLTYPE get_Geometry(IGeometry** geometry) override;
  HRESULT STDMETHODCALLTYPE get_MapSurround(IMapSurround** surround) override;
  HRESULT STDMETHODCALLTYPE get_MapFrame(IMapFrame** frame) override;
  CW_NOT_SERVED(putref_MapSurround(IMapSurround*))
  CW_NOT_SERVED(putref_MapFrame(IMapFrame*))
  CW_NOT_SERVED(get_Object(VARIANT*))
  CW_NOT_SERVED(get_Border(IUnknown**))
  CW_NOT_SERVED(put_Border(IUnknown*))
  CW_NOT_SERVED(get_Background(IUnknown**))
  CW_NOT_SERVED(put_Background(IUnknown*))
  CW_NOT_SERVED(get_Thumbnail(OLE_HANDLE*))
  CW_NOT_SERVED(get_DraftMode(VARIANT_BOOL*))
  CW_NOT_SERVED(put_DraftMode(VARIANT_BOOL))

 private:
  standin::LayoutElement& element_;
  SurroundObject surround_;
  MapFrameObject mapFrame_;
};

// The page layout: its elements (a walk of its own) and its view.
class PageLayoutObject : public HostObject,
                         public IGraphicsContainer,
                         public IPageLayout,
                         public ActiveViewSlots {
 public:
  PageLayoutObject(ComHost& host, standin::PageLayout& layout) : host_(host), layout_(layout) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES

  // IGraphicsContainer: S_FALSE and nothing after the last element.
  HRESULT STDMETHODCALLTYPE Next(IElement** element) override;
  HRESULT STDMETHODCALLTYPE Reset() override;

  // IActiveView; the slots it does not serve are ActiveViewSlots's
  HRESULT STDMETHODCALLTYPE get_Extent(IEnvelope** extent) override;
  HRESULT STDMETHODCALLTYPE put_Extent(IEnvelope* extent) override;
  // The layout's display, which only a legend's fit is handed: the layout itself.
  HRESULT STDMETHODCALLTYPE get_ScreenDisplay(IUnknown** display) override;
  HRESULT STDMETHODCALLTYPE get_GraphicsContainer(IGraphicsContainer** container) override;
  HRESULT STDMETHODCALLTYPE get_FocusMap(IMap** map) override;
  HRESULT STDMETHODCALLTYPE PartialRefresh(LONG phase, IUnknown* data,
                                           IEnvelope* envelope) override;
  HRESULT STDMETHODCALLTYPE Refresh() override;

 private:
  ComHost& host_;
  standin::PageLayout& layout_;
};

}  // namespace cw::comhost

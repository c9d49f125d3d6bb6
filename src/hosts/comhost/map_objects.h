#pragma once

// The stand-in host's data frames as COM objects: each data frame a map with its view and its
// bookmarks, its layers, the walk over its bookmarks, and the document's collection of maps.
// Every call reaches the stand-in document, which logs it.

#include "host_library.h"  // the host's interfaces as the stand-in declares them (idl/)
#include "hosts/comhost/active_view_slots.h"
#include "hosts/comhost/host_object.h"
#include "hosts/standin/document.h"

namespace cw::comhost {

class ComHost;

// A layer; a group layer answers as a composite of its members.
class LayerObject : public HostObject, public ILayer, public ICompositeLayer {
 public:
  LayerObject(ComHost& host, standin::Layer& layer) : host_(host), layer_(layer) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) override;
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) override;
  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_Layer(LONG index, ILayer** layer) override;

  CW_NOT_SERVED(put_Name(BSTR))
  CW_NOT_SERVED(get_Valid(VARIANT_BOOL*))
  CW_NOT_SERVED(get_AreaOfInterest(IEnvelope**))
  CW_NOT_SERVED(get_MinimumScale(double*))
  CW_NOT_SERVED(put_MinimumScale(double))
  CW_NOT_SERVED(get_MaximumScale(double*))
  CW_NOT_SERVED(put_MaximumScale(double))
  CW_NOT_SERVED(get_ShowTips(VARIANT_BOOL*))
  CW_NOT_SERVED(put_ShowTips(VARIANT_BOOL))
  CW_NOT_SERVED(get_TipText(double, double, double, BSTR*))
  CW_NOT_SERVED(get_Cached(VARIANT_BOOL*))
  CW_NOT_SERVED(put_Cached(VARIANT_BOOL))
  CW_NOT_SERVED(get_SupportedDrawPhases(LONG*))
  CW_NOT_SERVED(putref_SpatialReference(IUnknown*))
  CW_NOT_SERVED(Draw(LONG, IUnknown*, IUnknown*))

 private:
  ComHost& host_;
  standin::Layer& layer_;
};

class BookmarkObject : public HostObject, public ISpatialBookmark {
 public:
  BookmarkObject(ComHost&, standin::SpatialBookmark& bookmark) : bookmark_(bookmark) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
  // A map of another host is not one of this document's data frames.
  HRESULT STDMETHODCALLTYPE ZoomTo(IMap* map) override;
  CW_NOT_SERVED(get_BookmarkType(BSTR*))
  CW_NOT_SERVED(put_Name(BSTR))

 private:
  standin::SpatialBookmark& bookmark_;
};

// The walk over a data frame's bookmarks: the data frame's own, so every walk handed out
// continues where the last one was.
class BookmarkWalkObject : public HostObject, public IEnumSpatialBookmark {
 public:
  BookmarkWalkObject(ComHost& host, standin::DataFrame& frame) : host_(host), frame_(frame) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES

  // S_FALSE and nothing after the last.
  HRESULT STDMETHODCALLTYPE Next(ISpatialBookmark** bookmark) override;
  HRESULT STDMETHODCALLTYPE Reset() override;

 private:
  ComHost& host_;
  standin::DataFrame& frame_;
};

// A data frame: its map, its bookmarks, and its view (one object to COM).
class MapObject : public HostObject, public IMap, public IMapBookmarks, public ActiveViewSlots {
 public:
  MapObject(ComHost& host, standin::DataFrame& frame)
      : host_(host), frame_(frame), walk_(host, frame) {}

  standin::DataFrame& frame() const { return frame_; }
  LONG allReferences() const override { return references() + walk_.references(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES

  // IMap
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_LayerCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_Layer(LONG index, ILayer** layer) override;
  CW_NOT_SERVED(put_Name(BSTR))
  CW_NOT_SERVED(get_Description(BSTR*))
  CW_NOT_SERVED(put_Description(BSTR))
  CW_NOT_SERVED(put_AreaOfInterest(IEnvelope*))

  // IMapBookmarks
  HRESULT STDMETHODCALLTYPE get_Bookmarks(IEnumSpatialBookmark** walk) override;
  CW_NOT_SERVED(AddBookmark(ISpatialBookmark*))
  CW_NOT_SERVED(RemoveBookmark(ISpatialBookmark*))
  CW_NOT_SERVED(RemoveAllBookmarks())

  // IActiveView; the slots it does not serve are ActiveViewSlots's
  HRESULT STDMETHODCALLTYPE get_Extent(IEnvelope** extent) override;
  HRESULT STDMETHODCALLTYPE put_Extent(IEnvelope* extent) override;
  HRESULT STDMETHODCALLTYPE get_FocusMap(IMap** map) override;
  HRESULT STDMETHODCALLTYPE PartialRefresh(LONG phase, IUnknown* data,
                                           IEnvelope* envelope) override;
  HRESULT STDMETHODCALLTYPE Refresh() override;

 private:
  ComHost& host_;
  standin::DataFrame& frame_;
  BookmarkWalkObject walk_;
};

class MapsObject : public HostObject, public IMaps {
 public:
  MapsObject(ComHost& host, standin::Document& document) : host_(host), document_(document) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES

  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_Item(LONG index, IMap** map) override;
  CW_NOT_SERVED(Create(IMap**))
  CW_NOT_SERVED(Remove(IMap*))
  CW_NOT_SERVED(Add(IMap*))
  CW_NOT_SERVED(RemoveAt(LONG))
  CW_NOT_SERVED(Reset())

 private:
  ComHost& host_;
  standin::Document& document_;
};

}  // namespace cw::comhost

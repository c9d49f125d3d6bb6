#pragma once

// The stand-in host's page layout: its elements, the frames of data frames and of map
// surrounds, and the surrounds (legends and others).

#include <windows.h>
// After windows.h, which they need before them.
#include <oaidl.h>
#include <unknwn.h>

#include <vector>

#include "com/fake_counted.h"
#include "com/fake_geometry.h"
#include "com/fake_map.h"

namespace cw::hostfake {

#define CW_FAKE_CALL(declaration)                  \
  HRESULT STDMETHODCALLTYPE declaration override { \
    return E_NOTIMPL;                              \
  }
#define CW_FAKE_FRAME_ELEMENT                \
  CW_FAKE_CALL(get_Object(VARIANT*))         \
  CW_FAKE_CALL(get_Border(IUnknown**))       \
  CW_FAKE_CALL(put_Border(IUnknown*))        \
  CW_FAKE_CALL(get_Background(IUnknown**))   \
  CW_FAKE_CALL(put_Background(IUnknown*))    \
  CW_FAKE_CALL(get_Thumbnail(OLE_HANDLE*))   \
  CW_FAKE_CALL(get_DraftMode(VARIANT_BOOL*)) \
  CW_FAKE_CALL(put_DraftMode(VARIANT_BOOL))

// The frame of a data frame on the layout.
class FakeMapFrame : public Counted<IMapFrame> {
 public:
  explicit FakeMapFrame(FakeMap* map) : map_(map) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IMapFrame*>(this), __uuidof(::IMapFrame));
  }
  HRESULT STDMETHODCALLTYPE get_Map(IMap** map) override {
    map_->AddRef();
    *map = map_;
    return S_OK;
  }
  CW_FAKE_FRAME_ELEMENT

 private:
  FakeMap* map_;
};

// A legend or another surround; it remembers its refreshes and its fits.
class FakeSurround : public Counted<IMapSurround> {
 public:
  explicit FakeSurround(bool isLegend) : isLegend_(isLegend) {}

  int refreshes = 0;
  struct Fit {
    IUnknown* display;
    FakeEnvelope bounds;
    VARIANT_BOOL changedIn;
  };
  std::vector<Fit> fits;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (isLegend_)
      return answer(iid, object, static_cast<IMapSurround*>(this), __uuidof(::IMapSurround),
                    __uuidof(::ILegend));
    return answer(iid, object, static_cast<IMapSurround*>(this), __uuidof(::IMapSurround));
  }
  HRESULT STDMETHODCALLTYPE Refresh() override {
    ++refreshes;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FitToBounds(IUnknown* display, IEnvelope* bounds,
                                        VARIANT_BOOL* changed) override {
    Fit fit{display, {}, *changed};
    bounds->get_XMin(&fit.bounds.xMin);
    bounds->get_YMin(&fit.bounds.yMin);
    bounds->get_XMax(&fit.bounds.xMax);
    bounds->get_YMax(&fit.bounds.yMax);
    fits.push_back(fit);
    *changed = VARIANT_FALSE;
    return S_OK;
  }
  CW_FAKE_CALL(get_Map(IMap**))
  CW_FAKE_CALL(putref_Map(IMap*))
  CW_FAKE_CALL(get_Name(BSTR*))
  CW_FAKE_CALL(put_Name(BSTR))
  CW_FAKE_CALL(get_Icon(OLE_HANDLE*))
  CW_FAKE_CALL(QueryBounds(IUnknown*, IEnvelope*, IEnvelope*))
  CW_FAKE_CALL(DelayEvents(VARIANT_BOOL))
  CW_FAKE_CALL(Draw(IUnknown*, IUnknown*, IEnvelope*))

 private:
  bool isLegend_;
};

// An element of the layout, with its bounds; given a surround and a map frame, it is a
// map-surround frame as well.
class FakeElement : public Counted<IElement>, public IMapSurroundFrame {
 public:
  explicit FakeElement(FakeEnvelope bounds, FakeSurround* surround = nullptr,
                       FakeMapFrame* mapFrame = nullptr)
      : bounds_(bounds), surround_(surround), mapFrame_(mapFrame) {}

  IElement* asElement() { return this; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (surround_ && IsEqualIID(iid, __uuidof(::IMapSurroundFrame))) {
      return answer(iid, object, static_cast<IMapSurroundFrame*>(this),
                    __uuidof(::IMapSurroundFrame));
    }
    return answer(iid, object, static_cast<IElement*>(this), __uuidof(::IElement));
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return Counted<IElement>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return Counted<IElement>::Release(); }

  HRESULT STDMETHODCALLTYPE get_Geometry(IGeometry** geometry) override {
    bounds_.AddRef();
    *geometry = &bounds_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_MapSurround(IMapSurround** surround) override {
    surround_->AddRef();
    *surround = surround_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_MapFrame(IMapFrame** frame) override {
    mapFrame_->AddRef();
    *frame = mapFrame_;
    return S_OK;
  }
  CW_FAKE_CALL(putref_MapSurround(IMapSurround*))
  CW_FAKE_CALL(putref_MapFrame(IMapFrame*))
  CW_FAKE_FRAME_ELEMENT

  LONG boundsReferences() const { return bounds_.references(); }

 private:
  FakeEnvelope bounds_;
  FakeSurround* surround_;
  FakeMapFrame* mapFrame_;
};

// The page layout: its elements in order, and its view.
class FakePageLayout : public Counted<IGraphicsContainer>, public IPageLayout {
 public:
  explicit FakePageLayout(std::vector<FakeElement*> elements) : elements_(std::move(elements)) {}

  FakeView& view() { return view_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, __uuidof(::IActiveView))) {
      return answer(iid, object, static_cast<IActiveView*>(&view_), __uuidof(::IActiveView));
    }
    if (IsEqualIID(iid, __uuidof(::IPageLayout))) {
      return answer(iid, object, static_cast<IPageLayout*>(this), __uuidof(::IPageLayout));
    }
    return answer(iid, object, static_cast<IGraphicsContainer*>(this),
                  __uuidof(::IGraphicsContainer));
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return Counted<IGraphicsContainer>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return Counted<IGraphicsContainer>::Release(); }
  HRESULT STDMETHODCALLTYPE Next(IElement** element) override {
    if (next_ >= elements_.size()) {
      *element = nullptr;
      return S_FALSE;
    }
    FakeElement* fake = elements_[next_++];
    fake->AddRef();
    *element = fake->asElement();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }

 private:
  std::vector<FakeElement*> elements_;
  std::size_t next_ = 0;
  FakeView view_{*static_cast<IGraphicsContainer*>(this)};
};

#undef CW_FAKE_FRAME_ELEMENT
#undef CW_FAKE_CALL

}  // namespace cw::hostfake

#pragma once

// The stand-in host's envelopes, its envelope class and a view.

#include <windows.h>
// After windows.h, which they need before them.
#include <oaidl.h>
#include <unknwn.h>

#include <memory>
#include <vector>

#include "com/fake_counted.h"

namespace cw::hostfake {

#define CW_FAKE_CALL(declaration)                  \
  HRESULT STDMETHODCALLTYPE declaration override { \
    return E_NOTIMPL;                              \
  }

// A host envelope: its corners, nothing else.
class FakeEnvelope : public Counted<IEnvelope> {
 public:
  FakeEnvelope() = default;
  FakeEnvelope(double xMin, double yMin, double xMax, double yMax)
      : xMin(xMin), yMin(yMin), xMax(xMax), yMax(yMax) {}

  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IEnvelope*>(this), __uuidof(::IEnvelope));
  }
  HRESULT STDMETHODCALLTYPE get_XMin(double* v) override { return *v = xMin, S_OK; }
  HRESULT STDMETHODCALLTYPE put_XMin(double v) override { return xMin = v, S_OK; }
  HRESULT STDMETHODCALLTYPE get_YMin(double* v) override { return *v = yMin, S_OK; }
  HRESULT STDMETHODCALLTYPE put_YMin(double v) override { return yMin = v, S_OK; }
  HRESULT STDMETHODCALLTYPE get_XMax(double* v) override { return *v = xMax, S_OK; }
  HRESULT STDMETHODCALLTYPE put_XMax(double v) override { return xMax = v, S_OK; }
  HRESULT STDMETHODCALLTYPE get_YMax(double* v) override { return *v = yMax, S_OK; }
  HRESULT STDMETHODCALLTYPE put_YMax(double v) override { return yMax = v, S_OK; }
  // An envelope's own bounding rectangle is itself.
  HRESULT STDMETHODCALLTYPE get_Envelope(IEnvelope** envelope) override {
    AddRef();
    *envelope = this;
    return S_OK;
  }

  CW_FAKE_CALL(get_GeometryType(LONG*))
  CW_FAKE_CALL(get_Dimension(LONG*))
  CW_FAKE_CALL(get_SpatialReference(IUnknown**))
  CW_FAKE_CALL(putref_SpatialReference(IUnknown*))
  CW_FAKE_CALL(get_IsEmpty(VARIANT_BOOL*))
  CW_FAKE_CALL(SetEmpty())
  CW_FAKE_CALL(QueryEnvelope(IEnvelope*))
  CW_FAKE_CALL(Project(IUnknown*))
  CW_FAKE_CALL(SnapToSpatialReference())
  CW_FAKE_CALL(GeoNormalize())
  CW_FAKE_CALL(GeoNormalizeFromLongitude(double))
  CW_FAKE_CALL(get_Width(double*))
  CW_FAKE_CALL(put_Width(double))
  CW_FAKE_CALL(get_Height(double*))
  CW_FAKE_CALL(put_Depth(double))
  CW_FAKE_CALL(get_Depth(double*))
  CW_FAKE_CALL(put_Height(double))
  CW_FAKE_CALL(get_LowerLeft(IUnknown**))
  CW_FAKE_CALL(put_LowerLeft(IUnknown*))
  CW_FAKE_CALL(get_UpperLeft(IUnknown**))
  CW_FAKE_CALL(put_UpperLeft(IUnknown*))
  CW_FAKE_CALL(get_UpperRight(IUnknown**))
  CW_FAKE_CALL(put_UpperRight(IUnknown*))
  CW_FAKE_CALL(get_LowerRight(IUnknown**))
  CW_FAKE_CALL(put_LowerRight(IUnknown*))
};

// The envelope class, registered for this process by the host's class id while it lives; it
// keeps every envelope it made.
class FakeEnvelopeClass : public Counted<IClassFactory> {
 public:
  FakeEnvelopeClass() {
    registered_ = ::CoRegisterClassObject(__uuidof(::Envelope), this, CLSCTX_INPROC_SERVER,
                                          REGCLS_MULTIPLEUSE, &cookie_);
  }
  ~FakeEnvelopeClass() {
    if (SUCCEEDED(registered_)) ::CoRevokeClassObject(cookie_);
  }

  HRESULT registered() const { return registered_; }
  std::vector<std::unique_ptr<FakeEnvelope>> made;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IClassFactory*>(this), IID_IClassFactory);
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    made.push_back(std::make_unique<FakeEnvelope>());
    const HRESULT result = made.back()->QueryInterface(iid, object);
    made.back()->Release();  // the one reference is the caller's
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  HRESULT registered_ = E_FAIL;
  DWORD cookie_ = 0;
};

// A data frame's view, handed out as a part of its map (the same object to COM): its extent,
// the extents it was told to show and the phases it was told to redraw.
class FakeView : public IActiveView {
 public:
  explicit FakeView(IUnknown& owner) : owner_(owner) {}

  FakeEnvelope extent;
  std::vector<FakeEnvelope> shown;  // copies of the corners handed to put_Extent
  std::vector<LONG> redrawn;
  std::vector<IUnknown*> redrawnObjects;
  IUnknown* screenDisplay = nullptr;
  IMap* focusMap = nullptr;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return owner_.QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }

  HRESULT STDMETHODCALLTYPE get_Extent(IEnvelope** out) override {
    extent.AddRef();
    *out = &extent;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Extent(IEnvelope* in) override {
    FakeEnvelope copy;
    in->get_XMin(&copy.xMin);
    in->get_YMin(&copy.yMin);
    in->get_XMax(&copy.xMax);
    in->get_YMax(&copy.yMax);
    shown.push_back(copy);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PartialRefresh(LONG phase, IUnknown* data, IEnvelope*) override {
    redrawn.push_back(phase);
    redrawnObjects.push_back(data);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_ScreenDisplay(IUnknown** display) override {
    *display = screenDisplay;
    if (screenDisplay) screenDisplay->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_FocusMap(IMap** map) override {
    *map = focusMap;
    if (focusMap) focusMap->AddRef();
    return S_OK;
  }

  CW_FAKE_CALL(get_FullExtent(IEnvelope**))
  CW_FAKE_CALL(put_FullExtent(IEnvelope*))
  CW_FAKE_CALL(get_GraphicsContainer(IGraphicsContainer**))
  CW_FAKE_CALL(putref_FocusMap(IMap*))
  CW_FAKE_CALL(get_IsMapActivated(VARIANT_BOOL*))
  CW_FAKE_CALL(put_IsMapActivated(VARIANT_BOOL))
  CW_FAKE_CALL(get_Selection(IUnknown**))
  CW_FAKE_CALL(putref_Selection(IUnknown*))
  CW_FAKE_CALL(get_TipText(double, double, BSTR*))
  CW_FAKE_CALL(get_ExportFrame(RECT*))
  CW_FAKE_CALL(get_ShowScrollBars(VARIANT_BOOL*))
  CW_FAKE_CALL(put_ShowScrollBars(VARIANT_BOOL))
  CW_FAKE_CALL(get_ShowRulers(VARIANT_BOOL*))
  CW_FAKE_CALL(put_ShowRulers(VARIANT_BOOL))
  CW_FAKE_CALL(get_ShowSelection(VARIANT_BOOL*))
  CW_FAKE_CALL(put_ShowSelection(VARIANT_BOOL))
  CW_FAKE_CALL(get_ExtentStack(IUnknown**))
  CW_FAKE_CALL(get_ScreenCacheID(LONG, IUnknown*, short*))
  CW_FAKE_CALL(HitTestMap(IUnknown*, IMap**))
  CW_FAKE_CALL(IsActive(VARIANT_BOOL*))
  CW_FAKE_CALL(Activate(OLE_HANDLE))
  CW_FAKE_CALL(Deactivate())
  CW_FAKE_CALL(Draw(OLE_HANDLE, IUnknown*))
  CW_FAKE_CALL(Output(OLE_HANDLE, LONG, RECT*, IEnvelope*, IUnknown*))
  CW_FAKE_CALL(Refresh())

 private:
  IUnknown& owner_;
};

#undef CW_FAKE_CALL

}  // namespace cw::hostfake

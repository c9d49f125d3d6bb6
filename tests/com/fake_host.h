#pragma once

// A stand-in for the host's side of COM inside the test process: an application reference
// class registered in-process by the host's class id, its application and its map document,
// over the data frames, views and page layout of the other stand-in headers.

#include <windows.h>
// After windows.h, which they need before them.
#include <oaidl.h>
#include <unknwn.h>

#include "com/fake_counted.h"
#include "com/fake_geometry.h"
#include "com/fake_layout.h"
#include "com/fake_map.h"

namespace cw::hostfake {

// The host's document: the framework's document (a dispatch object) that answers the map
// document's interface, unless told it is some other kind of document.
class FakeDocument : public Counted<IMxDocument> {
 public:
  FakeDocument(FakeMaps* maps, bool isMapDocument) : maps_(maps), isMapDocument_(isMapDocument) {}

  HRESULT mapsResult = S_OK;  // what get_Maps answers
  IPageLayout* pageLayout = nullptr;
  IMap* focusMap = nullptr;
  IActiveView* activeView = nullptr;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (isMapDocument_)
      return answer(iid, object, static_cast<IMxDocument*>(this), __uuidof(::IMxDocument));
    return answer(iid, object, static_cast<IMxDocument*>(this));
  }
  HRESULT STDMETHODCALLTYPE get_Maps(IMaps** maps) override {
    if (FAILED(mapsResult)) {
      failWith(L"The document is being saved");
      return mapsResult;
    }
    maps_->AddRef();
    *maps = maps_;
    return S_OK;
  }
  template <typename T>
  static HRESULT lend(T* object, T** out) {
    *out = object;
    if (!object) return E_FAIL;
    object->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_PageLayout(IPageLayout** out) override {
    return lend(pageLayout, out);
  }
  HRESULT STDMETHODCALLTYPE get_ActiveView(IActiveView** out) override {
    return lend(activeView, out);
  }
  HRESULT STDMETHODCALLTYPE get_FocusMap(IMap** out) override { return lend(focusMap, out); }
  HRESULT STDMETHODCALLTYPE putref_PageLayout(IPageLayout*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE putref_ActiveView(IActiveView*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ActivatedView(IActiveView**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ActiveViewCommand(::ICommand**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SelectedLayer(ILayer**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SelectedItem(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ContextItem(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_ContextItem(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_StyleGallery(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AddLayer(ILayer*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SearchTolerance(double*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SearchTolerancePixels(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SearchTolerancePixels(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InsertObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CanInsertObject(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UpdateContents() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_OperationStack(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_DefaultTextFont(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_DefaultTextFontSize(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_DefaultTextFontSize(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_DefaultTextFont(IDispatch*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_DefaultColor(LONG, IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_DefaultColor(LONG, IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_CurrentLocation(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_CurrentLocation(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_DelayUpdateContents(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_RelativePaths(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_RelativePaths(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_CurrentContentsView(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE putref_CurrentContentsView(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ContentsViewCount(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ContentsView(LONG, IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_TableProperties(IUnknown**) override { return E_NOTIMPL; }

 private:
  FakeMaps* maps_;
  bool isMapDocument_;
};

// The running application; its document can be swapped, or its answer made to fail.
class FakeApplication : public Counted<IApplication> {
 public:
  explicit FakeApplication(FakeDocument* document) : document_(document) {}

  FakeDocument* document_;
  HRESULT documentResult = S_OK;  // what get_Document answers; S_FALSE hands out nothing
  HWND mainWindow = nullptr;      // what get_hWnd answers; none: not implemented

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IApplication*>(this), __uuidof(::IApplication),
                  IID_IDispatch);
  }
  HRESULT STDMETHODCALLTYPE get_Document(IDocument** document) override {
    *document = nullptr;
    if (documentResult != S_OK) return documentResult;
    // The document is a dispatch object of the framework; the module only asks it for the map
    // document's interface, never calls its IDispatch slots, so the map document stands in.
    document_->AddRef();
    *document = reinterpret_cast<IDocument*>(static_cast<IMxDocument*>(document_));
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_Name(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_StatusBar(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ShowDialog(LONG, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsDialogVisible(LONG, VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_CurrentTool(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE putref_CurrentTool(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_VBE(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE NewDocument(VARIANT_BOOL, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OpenDocument(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SaveDocument(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SaveAsDocument(BSTR, VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PrintPreview() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PrintDocument() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockCustomization(BSTR, IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UnlockCustomization(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RefreshWindow() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Templates(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_hWnd(OLE_HANDLE* window) override {
    if (!mainWindow) return E_NOTIMPL;
    *window = static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(mainWindow));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FindExtensionByName(BSTR, IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindExtensionByCLSID(IUnknown*, IUnknown**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Shutdown() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Caption(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Caption(BSTR*) override { return E_NOTIMPL; }
};

// The application reference class, registered for this process by the host's class id while
// it lives: each instance made is the one application.
class FakeAppRef : public Counted<IClassFactory> {
 public:
  explicit FakeAppRef(FakeApplication* application) : application_(application) {
    registered_ = ::CoRegisterClassObject(__uuidof(::AppRef), this, CLSCTX_INPROC_SERVER,
                                          REGCLS_MULTIPLEUSE, &cookie_);
  }
  ~FakeAppRef() {
    if (SUCCEEDED(registered_)) ::CoRevokeClassObject(cookie_);
  }

  HRESULT registered() const { return registered_; }
  int instancesMade() const { return instancesMade_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IClassFactory*>(this), IID_IClassFactory);
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    ++instancesMade_;
    return application_->QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  FakeApplication* application_;
  HRESULT registered_ = E_FAIL;
  DWORD cookie_ = 0;
  int instancesMade_ = 0;
};

}  // namespace cw::hostfake

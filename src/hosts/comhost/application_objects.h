#pragma once

// The stand-in host's running application and its map document as COM objects, and the
// application reference class that stands for the running application in its process.

#include "host_library.h"  // the host's interfaces as the stand-in declares them (idl/)
#include "hosts/comhost/host_object.h"
#include "hosts/comhost/map_objects.h"
#include "hosts/standin/document.h"

namespace cw::comhost {

class ComHost;

// The map document: the framework's document (a dispatch object with no members of its own
// here) that answers the map document's interface.
class DocumentObject : public HostObject, public IMxDocument, public IDocument {
 public:
  DocumentObject(ComHost& host, standin::Document& document) : host_(host), document_(document) {}
  LONG allReferences() const override { return references() + maps_.references(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES

  // IDispatch: no members to call by name.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;

  // IMxDocument
  HRESULT STDMETHODCALLTYPE get_PageLayout(IPageLayout** layout) override;
  HRESULT STDMETHODCALLTYPE get_ActiveView(IActiveView** view) override;
  HRESULT STDMETHODCALLTYPE get_FocusMap(IMap** map) override;
  HRESULT STDMETHODCALLTYPE get_Maps(IMaps** maps) override;
  HRESULT STDMETHODCALLTYPE UpdateContents() override;
  CW_NOT_SERVED(putref_PageLayout(IPageLayout*))
  CW_NOT_SERVED(putref_ActiveView(IActiveView*))
  CW_NOT_SERVED(get_ActivatedView(IActiveView**))
  CW_NOT_SERVED(get_ActiveViewCommand(::ICommand**))
  CW_NOT_SERVED(get_SelectedLayer(ILayer**))
  CW_NOT_SERVED(get_SelectedItem(IUnknown**))
  CW_NOT_SERVED(get_ContextItem(IUnknown**))
  CW_NOT_SERVED(put_ContextItem(IUnknown*))
  CW_NOT_SERVED(get_StyleGallery(IUnknown**))
  CW_NOT_SERVED(AddLayer(ILayer*))
  CW_NOT_SERVED(get_SearchTolerance(double*))
  CW_NOT_SERVED(get_SearchTolerancePixels(LONG*))
  CW_NOT_SERVED(put_SearchTolerancePixels(LONG))
  CW_NOT_SERVED(InsertObject())
  CW_NOT_SERVED(CanInsertObject(VARIANT_BOOL*))
  CW_NOT_SERVED(get_OperationStack(IUnknown**))
  CW_NOT_SERVED(get_DefaultTextFont(IDispatch**))
  CW_NOT_SERVED(put_DefaultTextFontSize(IUnknown*))
  CW_NOT_SERVED(get_DefaultTextFontSize(IUnknown**))
  CW_NOT_SERVED(put_DefaultTextFont(IDispatch*))
  CW_NOT_SERVED(get_DefaultColor(LONG, IUnknown**))
  CW_NOT_SERVED(put_DefaultColor(LONG, IUnknown*))
  CW_NOT_SERVED(get_CurrentLocation(IUnknown**))
  CW_NOT_SERVED(put_CurrentLocation(IUnknown*))
  CW_NOT_SERVED(put_DelayUpdateContents(VARIANT_BOOL))
  CW_NOT_SERVED(get_RelativePaths(VARIANT_BOOL*))
  CW_NOT_SERVED(put_RelativePaths(VARIANT_BOOL))
  CW_NOT_SERVED(get_CurrentContentsView(IUnknown**))
  CW_NOT_SERVED(putref_CurrentContentsView(IUnknown*))
  CW_NOT_SERVED(get_ContentsViewCount(LONG*))
  CW_NOT_SERVED(get_ContentsView(LONG, IUnknown**))
  CW_NOT_SERVED(get_TableProperties(IUnknown**))

 private:
  ComHost& host_;
  standin::Document& document_;
  MapsObject maps_{host_, document_};
};

// The running application (dual: IDispatch's slots first).
class ApplicationObject : public HostObject, public IApplication {
 public:
  explicit ApplicationObject(ComHost& host) : host_(host) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  CW_HOST_REFERENCES

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_Caption(BSTR* caption) override;
  // The document as the framework's document, a dispatch object; none without a document.
  HRESULT STDMETHODCALLTYPE get_Document(IDocument** document) override;
  HRESULT STDMETHODCALLTYPE get_hWnd(OLE_HANDLE* window) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) override;
  CW_NOT_SERVED(get_StatusBar(IUnknown**))
  CW_NOT_SERVED(ShowDialog(LONG, VARIANT*, VARIANT*))
  CW_NOT_SERVED(IsDialogVisible(LONG, VARIANT_BOOL*))
  CW_NOT_SERVED(get_CurrentTool(IUnknown**))
  CW_NOT_SERVED(putref_CurrentTool(IUnknown*))
  CW_NOT_SERVED(get_VBE(IDispatch**))
  CW_NOT_SERVED(NewDocument(VARIANT_BOOL, BSTR))
  CW_NOT_SERVED(OpenDocument(BSTR))
  CW_NOT_SERVED(SaveDocument(BSTR))
  CW_NOT_SERVED(SaveAsDocument(BSTR, VARIANT_BOOL))
  CW_NOT_SERVED(PrintPreview())
  CW_NOT_SERVED(PrintDocument())
  CW_NOT_SERVED(LockCustomization(BSTR, IUnknown*))
  CW_NOT_SERVED(UnlockCustomization(BSTR))
  CW_NOT_SERVED(RefreshWindow())
  CW_NOT_SERVED(get_Templates(IUnknown**))
  CW_NOT_SERVED(FindExtensionByName(BSTR, IUnknown**))
  CW_NOT_SERVED(FindExtensionByCLSID(IUnknown*, IUnknown**))
  CW_NOT_SERVED(Shutdown())
  CW_NOT_SERVED(put_Visible(VARIANT_BOOL))
  CW_NOT_SERVED(put_Caption(BSTR))

 private:
  ComHost& host_;
};

// The application reference class: each instance made is the running application.
class ApplicationReferenceClass : public IClassFactory {
 public:
  explicit ApplicationReferenceClass(ApplicationObject& application) : application_(application) {}

  int instancesMade() const { return instancesMade_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the host
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ApplicationObject& application_;
  int instancesMade_ = 0;
};

}  // namespace cw::comhost

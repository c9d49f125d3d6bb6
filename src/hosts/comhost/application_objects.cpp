#include "hosts/comhost/application_objects.h"

#include "hosts/comhost/com_host.h"
#include "hosts/comhost/layout_objects.h"
#include "hosts/comhost/own_object.h"
#include "hosts/comhost/served_call.h"

namespace cw::comhost {

namespace {

template <typename Object, typename Interface>
HRESULT lend(Object& object, Interface** out) {
  return handOut(static_cast<Interface*>(&object), reinterpret_cast<void**>(out));
}

// A dispatch interface whose members are called only through their slots.
HRESULT noTypeInformation(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

constexpr const char* kApplicationName = "Corbelwick Host";

}  // namespace

// --- the document ---

HRESULT DocumentObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::IMxDocument))) {
    return handOut(static_cast<IMxDocument*>(this), object);
  }
  if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(::IDocument))) {
    return handOut(static_cast<IDocument*>(this), object);
  }
  return answerOwn(this, iid, object);
}

HRESULT DocumentObject::GetTypeInfoCount(UINT* count) {
  return noTypeInformation(count);
}
HRESULT DocumentObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}
HRESULT DocumentObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}
HRESULT DocumentObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT DocumentObject::get_PageLayout(IPageLayout** layout) {
  if (!layout) return E_POINTER;
  *layout = nullptr;
  return served([&] {
    auto& own = host_.objectFor<PageLayoutObject>(document_.pageLayout());
    return lend(own, layout);
  });
}

HRESULT DocumentObject::get_ActiveView(IActiveView** view) {
  if (!view) return E_POINTER;
  *view = nullptr;
  return served([&] {
    host::HostView& active = document_.activeView();
    if (auto* frame = dynamic_cast<standin::DataFrame*>(&active)) {
      return lend(host_.objectFor<MapObject>(*frame), view);
    }
    return lend(host_.objectFor<PageLayoutObject>(static_cast<standin::PageLayout&>(active)), view);
  });
}

HRESULT DocumentObject::get_FocusMap(IMap** map) {
  if (!map) return E_POINTER;
  *map = nullptr;
  return served([&] { return lend(host_.objectFor<MapObject>(document_.focusMap()), map); });
}

HRESULT DocumentObject::get_Maps(IMaps** maps) {
  if (!maps) return E_POINTER;
  return lend(maps_, maps);
}

HRESULT DocumentObject::UpdateContents() {
  return served([&] {
    document_.refreshContentsView();
    return S_OK;
  });
}

// --- the application ---

HRESULT ApplicationObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, __uuidof(::IApplication))) {
    return handOut(static_cast<IApplication*>(this), object);
  }
  return answerOwn(this, iid, object);
}

HRESULT ApplicationObject::GetTypeInfoCount(UINT* count) {
  return noTypeInformation(count);
}
HRESULT ApplicationObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}
HRESULT ApplicationObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}
HRESULT ApplicationObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                  UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT ApplicationObject::get_Name(BSTR* name) {
  return textOut(kApplicationName, name);
}

HRESULT ApplicationObject::get_Caption(BSTR* caption) {
  return textOut(kApplicationName, caption);
}

HRESULT ApplicationObject::get_Document(IDocument** document) {
  if (!document) return E_POINTER;
  *document = nullptr;
  standin::Application& application = host_.standin();
  if (!application.hasDocument()) return S_FALSE;
  return served([&] {
    auto& own = host_.objectFor<DocumentObject>(application.document());
    return lend(own, document);
  });
}

HRESULT ApplicationObject::get_hWnd(OLE_HANDLE* window) {
  if (!window) return E_POINTER;
  *window = static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(host_.mainWindow()));
  return S_OK;
}

HRESULT ApplicationObject::get_Visible(VARIANT_BOOL* visible) {
  if (!visible) return E_POINTER;
  *visible = variantBool(host_.mainWindow() && ::IsWindowVisible(host_.mainWindow()));
  return S_OK;
}

// --- the application reference class ---

HRESULT ApplicationReferenceClass::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    return handOut(static_cast<IClassFactory*>(this), object);
  }
  return E_NOINTERFACE;
}

HRESULT ApplicationReferenceClass::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  ++instancesMade_;
  return application_.QueryInterface(iid, object);
}

}  // namespace cw::comhost

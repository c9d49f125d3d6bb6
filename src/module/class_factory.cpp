#include "module/class_factory.h"

#include "hosts/com/com_entry.h"
#include "hosts/com/live_objects.h"

namespace cw::module {

HRESULT ClassFactory::create(const ClassEntry& entry, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  return com::comEntry([&] {
    ClassFactory* factory = new ClassFactory(entry);
    const HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
  });
}

ClassFactory::ClassFactory(const ClassEntry& entry) : entry_(entry) {
  com::LiveObjects::add();
}

ClassFactory::~ClassFactory() {
  com::LiveObjects::remove();
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG ClassFactory::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  return entry_.create(iid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock) {
    com::LiveObjects::add();
  } else {
    com::LiveObjects::remove();
  }
  return S_OK;
}

}  // namespace cw::module

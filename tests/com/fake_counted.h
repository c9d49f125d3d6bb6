#pragma once

// What every stand-in host object of the tests shares: references counted, not owned (the test
// owns the objects and checks that everything taken was given back), and how they hand out
// objects, texts and failures. The fakes implement the host's interfaces as the stand-in's own
// IDL declares them (host_library.h), never as the module does (hosts/com/host_interfaces.h):
// the module reaches them only through COM, by interface id, as it reaches the host's objects.
// They live apart from the module's namespace, so that an interface's name here is always the
// IDL's.

#include <windows.h>
// After windows.h, which they need before them.
#include <oaidl.h>
#include <unknwn.h>

#include <string>
#include <vector>

#include "host_library.h"

namespace cw::hostfake {

// IUnknown of one interface, counting references.
template <typename Interface>
class Counted : public Interface {
 public:
  LONG references() const { return references_; }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references_); }

 protected:
  // Hands this object out as `answer` when `iid` is one of `iids`.
  template <typename... Iids>
  HRESULT answer(REFIID iid, void** object, void* as, const Iids&... iids) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!(IsEqualIID(iid, IID_IUnknown) || ... || IsEqualIID(iid, iids))) return E_NOINTERFACE;
    *object = as;
    AddRef();
    return S_OK;
  }

 private:
  LONG references_ = 1;  // the test's own
};

// Hands `item` out through `out` with a reference of its own; E_INVALIDARG out of range.
template <typename Interface, typename Fake>
HRESULT handOut(const std::vector<Fake*>& items, LONG index, Interface** out) {
  *out = nullptr;
  if (index < 0 || index >= static_cast<LONG>(items.size())) return E_INVALIDARG;
  items[index]->AddRef();
  *out = items[index];
  return S_OK;
}

// Leaves `description` as this thread's error information, as a failing host object does.
inline void failWith(const wchar_t* description) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(::CreateErrorInfo(&create))) return;
  create->SetDescription(const_cast<LPOLESTR>(description));
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    ::SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
}

inline BSTR textOf(const std::wstring& text) {
  return ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

}  // namespace cw::hostfake

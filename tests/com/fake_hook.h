#pragma once

#include <windows.h>
// After windows.h, which it needs before it.
#include <oaidl.h>

#include "host_library.h"

namespace cw::hostfake {

// A creation hook the command may be handed: an IDispatch object that answers the host's
// application interface or not, and counts the references held to it. It lives on the stack;
// the test checks that every reference the command took is given back.
class FakeHook : public IDispatch {
 public:
  explicit FakeHook(bool isApplication) : isApplication_(isApplication) {}

  LONG references() const { return references_; }
  int applicationQueries() const { return applicationQueries_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, __uuidof(::IApplication))) ++applicationQueries_;
    const bool answers = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
                         (isApplication_ && IsEqualIID(iid, __uuidof(::IApplication)));
    if (!answers) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references_); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  bool isApplication_;
  LONG references_ = 1;  // the test's own
  int applicationQueries_ = 0;
};

}  // namespace cw::hostfake

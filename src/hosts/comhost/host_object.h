#pragma once

// What every object of the stand-in host shares: it stands for one object of the stand-in
// document and lives as long as the host does, as the real host's objects outlive the commands
// that hold them; its references are counted only so that tests can see every one given back.

#include <windows.h>
// After windows.h, which they need before them.
#include <oaidl.h>
#include <unknwn.h>

namespace cw::comhost {

class HostObject {
 public:
  HostObject() = default;
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;
  virtual ~HostObject() = default;

  LONG references() const { return references_; }
  // With those of the objects it is made of.
  virtual LONG allReferences() const { return references_; }

 protected:
  ULONG addReference() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
  ULONG releaseReference() { return static_cast<ULONG>(::InterlockedDecrement(&references_)); }

 private:
  LONG references_ = 0;
};

// Hands `as` out through `object` with a reference of its own.
template <typename Object>
HRESULT handOut(Object* as, void** object) {
  *object = as;
  as->AddRef();
  return S_OK;
}

}  // namespace cw::comhost

// IUnknown's counting for a class made of HostObject and host interfaces.
#define CW_HOST_REFERENCES                     \
  ULONG STDMETHODCALLTYPE AddRef() override {  \
    return addReference();                     \
  }                                            \
  ULONG STDMETHODCALLTYPE Release() override { \
    return releaseReference();                 \
  }

// A member of a host interface that the stand-in host keeps only for its slot.
#define CW_NOT_SERVED(declaration)                 \
  HRESULT STDMETHODCALLTYPE declaration override { \
    return E_NOTIMPL;                              \
  }

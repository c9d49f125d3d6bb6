#pragma once

#include <windows.h>
// After windows.h, which it needs before it.
#include <unknwn.h>

#include "hosts/comhost/host_object.h"

namespace cw::comhost {

// {44029AED-06E1-4042-A892-801A0224A186}: asked of an object to learn whether it is one of this
// host's own, as a map a bookmark zooms to or an element a view redraws must be. Answered only
// by the stand-in host's objects, with their HostObject and no reference of its own.
inline constexpr IID kIidOwnObject = {
    0x44029AED, 0x06E1, 0x4042, {0xA8, 0x92, 0x80, 0x1A, 0x02, 0x24, 0xA1, 0x86}};

// The stand-in host's object of kind `Object` that `object` is, else nullptr.
template <typename Object>
Object* ownObject(IUnknown* object) {
  if (!object) return nullptr;
  void* own = nullptr;
  if (FAILED(object->QueryInterface(kIidOwnObject, &own)) || !own) return nullptr;
  return dynamic_cast<Object*>(static_cast<HostObject*>(own));
}

// What a host object's QueryInterface answers kIidOwnObject with.
inline HRESULT answerOwn(HostObject* self, REFIID iid, void** object) {
  if (!IsEqualIID(iid, kIidOwnObject)) return E_NOINTERFACE;
  *object = self;
  return S_OK;
}

}  // namespace cw::comhost

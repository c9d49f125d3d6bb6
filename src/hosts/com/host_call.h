#pragma once

#include <windows.h>

#include "base/failure.h"
#include "hosts/com/com_ref.h"

namespace cw::com {

// A call into the host that failed goes on as a failure carrying the host's own code and the
// description the host left with it ("Automation error" without one), which the caller's error
// trap reports; one that succeeded without handing out its object fails as an object that is
// not set.
void hostCall(HRESULT result);

// `object` is read only after the call has filled it in.
template <typename T>
void hostObject(HRESULT result, const ComRef<T>& object) {
  hostCall(result);
  if (!object) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
}

}  // namespace cw::com

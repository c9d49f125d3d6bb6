#pragma once

#include <windows.h>

#include <new>
#include <string_view>

#include "base/failure.h"

namespace cw::comhost {

// The HRESULT a failure of the stand-in document goes back to the caller as, with its
// description left as the thread's error information: a COM failure code as it is, the
// system's own error numbers as automation errors of the control facility (0x800A0000 + the
// number), as a Visual Basic object reports them.
HRESULT reportFailure(const Failure& failure);

// Runs one member of a host object; `body` returns the call's HRESULT. No exception leaves it.
template <typename Body>
HRESULT served(Body&& body) noexcept {
  try {
    return body();
  } catch (const Failure& failure) {
    return reportFailure(failure);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// Hands `utf8` out as a new BSTR.
HRESULT textOut(std::string_view utf8, BSTR* out);

inline VARIANT_BOOL variantBool(bool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace cw::comhost

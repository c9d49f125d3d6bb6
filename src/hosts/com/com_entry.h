#pragma once

#include <windows.h>

#include <new>

#include "base/failure.h"

namespace cw::com {

// The HRESULT that stands for a failure on its way out to the host: no exception crosses the
// COM boundary. A host's own failure code goes back as it came.
inline HRESULT resultOf(const Failure& failure) {
  const HRESULT code = static_cast<HRESULT>(failure.number());
  return FAILED(code) ? code : E_FAIL;
}

// Runs one entry point of the module's COM objects; `body` returns the call's HRESULT.
template <typename Body>
HRESULT comEntry(Body&& body) noexcept {
  try {
    return body();
  } catch (const Failure& failure) {
    return resultOf(failure);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace cw::com

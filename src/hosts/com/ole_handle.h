#pragma once

#include <windows.h>
// After windows.h, which it needs before it.
#include <ocidl.h>

namespace cw::com {

// The host's interfaces carry window and bitmap handles as OLE_HANDLE, 32 bits in every build.
// Windows keeps such handles meaningful in their low 32 bits, so that 32-bit and 64-bit code can
// share them: a handle is truncated on its way into an OLE_HANDLE and sign-extended on its way
// out, as the system's own HandleToLong and LongToHandle do. Zero-extending instead would turn
// a handle with its 32nd bit set into another one in a 64-bit process.
inline OLE_HANDLE toOleHandle(const void* handle) {
  return static_cast<OLE_HANDLE>(reinterpret_cast<ULONG_PTR>(handle));
}

template <typename Handle>
Handle fromOleHandle(OLE_HANDLE handle) {
  return reinterpret_cast<Handle>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
}

}  // namespace cw::com

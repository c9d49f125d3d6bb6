#include "hosts/com/bstr_text.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace cw::com {

HRESULT toBstr(std::string_view utf8, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const std::wstring wide = platform::win32::toWide(utf8);
  BSTR made = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!made) return E_OUTOFMEMORY;
  *out = made;
  return S_OK;
}

std::string fromBstr(BSTR text) {
  if (!text) return "";
  return platform::win32::fromWide(std::wstring_view(text, ::SysStringLen(text)));
}

}  // namespace cw::com

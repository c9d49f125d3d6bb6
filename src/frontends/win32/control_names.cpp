#include "frontends/win32/control_names.h"

#include "platform/win32/wide_text.h"

namespace cw::win32 {

namespace {

constexpr wchar_t kNameProperty[] = L"CorbelwickName";

}  // namespace

void setWindowName(HWND window, std::string_view name) {
  clearWindowName(window);
  const ATOM atom = ::GlobalAddAtomW(platform::win32::toWide(name).c_str());
  if (atom) ::SetPropW(window, kNameProperty, reinterpret_cast<HANDLE>(ULONG_PTR{atom}));
}

void clearWindowName(HWND window) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(::RemovePropW(window, kNameProperty)));
  if (atom) ::GlobalDeleteAtom(atom);
}

std::string windowName(HWND window) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(::GetPropW(window, kNameProperty)));
  if (!atom) return {};
  wchar_t name[256] = {};
  const UINT length = ::GlobalGetAtomNameW(atom, name, 256);
  return platform::win32::fromWide(std::wstring_view(name, length));
}

}  // namespace cw::win32

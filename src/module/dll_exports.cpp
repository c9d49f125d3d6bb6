// The module's four exports, under their plain names (CorbelwickBookmarks.def).

#include <windows.h>

#include <string>

#include "hosts/com/com_entry.h"
#include "hosts/com/live_objects.h"
#include "module/class_factory.h"
#include "module/class_table.h"
#include "module/registration.h"

namespace {

// The full path of this module's file, as the in-process server is registered.
std::wstring modulePath() {
  HMODULE self = nullptr;
  if (!::GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&modulePath), &self)) {
    return L"";
  }
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L"";
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

extern "C" {

HRESULT STDAPICALLTYPE DllRegisterServer() {
  return cw::com::comEntry([] {
    const std::wstring path = modulePath();
    if (path.empty()) return E_UNEXPECTED;
    return cw::module::registerServer(path);
  });
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return cw::com::comEntry([] { return cw::module::unregisterServer(); });
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  return cw::com::comEntry([&] {
    const cw::module::ClassEntry* entry = cw::module::findClass(clsid);
    if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
    return cw::module::ClassFactory::create(*entry, iid, object);
  });
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return cw::com::LiveObjects::none() ? S_OK : S_FALSE;
}

}  // extern "C"

#pragma once

#include <windows.h>

#include <string>

namespace cw::module {

// Writes what the module's registration consists of under HKEY_CLASSES_ROOT for every class of
// the class table, with `modulePath` as the in-process server, and registers the type library
// embedded in that file. S_OK, or SELFREG_E_CLASS / SELFREG_E_TYPELIB.
HRESULT registerServer(const std::wstring& modulePath);

// Removes every key and value the registration writes, the type library's too. Nothing
// registered is nothing to remove: S_OK then as well.
HRESULT unregisterServer();

}  // namespace cw::module

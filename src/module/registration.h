#pragma once

#include <windows.h>

#include <string>

namespace cw::module {

// Writes what the module's registration consists of under HKEY_CLASSES_ROOT for every class of
// the class table, with `modulePath` as the in-process server, registers the type library
// embedded in that file, and makes the program directory open to the machine's users
// (program_directory.h). S_OK, or SELFREG_E_CLASS / SELFREG_E_TYPELIB, or why the program
// directory could not be made (the classes and the type library registered all the same).
HRESULT registerServer(const std::wstring& modulePath);

// Removes every key and value the registration writes, the type library's too. Nothing
// registered is nothing to remove: S_OK then as well. The program directory and the lists in it
// stay: they are the users'.
HRESULT unregisterServer();

}  // namespace cw::module

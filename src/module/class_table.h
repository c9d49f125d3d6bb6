#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace cw::module {

// One creatable class of the module: its identity, its registry names and how an instance is
// made.
struct ClassEntry {
  const CLSID& clsid;
  const char* clsidText;  // registry form, "{...}"
  std::string name;       // the class key's default value
  std::string progId;
  // A new instance answering `iid`, or the failure code.
  HRESULT (*create)(REFIID iid, void** object);
};

// Every class the module serves.
std::span<const ClassEntry> classTable();

// The entry of `clsid`, or none.
const ClassEntry* findClass(REFCLSID clsid);

}  // namespace cw::module

#include "module/class_table.h"

#include "command/corbelwick_bookmarks.h"
#include "hosts/com/com_command.h"
#include "hosts/com/module_ids.h"
#include "module/process_module.h"

namespace cw::module {

std::span<const ClassEntry> classTable() {
  static const ClassEntry classes[] = {
      {com::kClsidCorbelwickBookmarks, com_identity::kClassId,
       std::string(com_identity::kTypeLibraryName) + "." + com_identity::kClassName,
       std::string(com_identity::kTypeLibraryName) + "." + com_identity::kClassName,
       [](REFIID iid, void** object) {
         return com::ComCommand::create(&processServices, iid, object);
       }},
  };
  return classes;
}

const ClassEntry* findClass(REFCLSID clsid) {
  for (const ClassEntry& entry : classTable()) {
    if (IsEqualCLSID(entry.clsid, clsid)) return &entry;
  }
  return nullptr;
}

}  // namespace cw::module

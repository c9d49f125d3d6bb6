#include "hosts/com/process_module.h"

#include "command/corbelwick_bookmarks.h"
#include "command/module.h"
#include "hosts/com/com_application.h"
#include "hosts/com/environment_drives.h"
#include "hosts/com/win32_services.h"
#include "platform/win32/win32_file_system.h"

namespace cw::com {

namespace {

// Members in the order they depend on each other: the module goes before its services.
struct ProcessModule {
  platform::Win32FileSystem fs{environmentDrives()};
  Win32Desktop desktop{com_identity::kTypeLibraryName};
  Win32Shell shell;
  ComApplication application;
  Module module{fs, desktop, shell, application};
};

}  // namespace

Module& processModule() {
  static ProcessModule state;
  return state.module;
}

}  // namespace cw::com

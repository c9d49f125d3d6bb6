#include "module/process_module.h"

#include "command/corbelwick_bookmarks.h"
#include "command/module.h"
#include "frontends/win32/win32_toolkit.h"
#include "frontends/win32/window_classes.h"
#include "hosts/com/com_application.h"
#include "hosts/com/environment_drives.h"
#include "platform/win32/win32_file_system.h"

namespace cw::module {

namespace {

// The window classes go with the module: a class left registered would keep the address of
// its code after the module is unloaded. Destroyed last, after every window.
struct WindowClasses {
  ~WindowClasses() { win32::unregisterWindowClasses(); }
};

// Members in the order they depend on each other: the module goes before its services. The
// pointer and the links are told to the application's main window first.
struct ProcessModule {
  WindowClasses windowClasses;
  platform::Win32FileSystem fs{com::environmentDrives()};
  com::ComApplication application;
  win32::Win32WindowHost desktop{com_identity::kTypeLibraryName,
                                 [this] { return application.mainWindow(); }};
  win32::Win32Shell shell{[this] { return application.mainWindow(); }};
  Module module{fs, desktop, shell, application};
};

}  // namespace

com::CommandServices processServices() {
  static ProcessModule state;
  return {state.module, state.application};
}

}  // namespace cw::module

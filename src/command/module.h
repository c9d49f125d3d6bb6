#pragma once

#include <memory>

#include "base/product.h"
#include "errors/error_report.h"
#include "platform/file_slots.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/window_host.h"
#include "session/session.h"
#include "store/bookmark_store.h"
#include "store/program_paths.h"
#include "store/storage.h"
#include "ui/controls/window_registry.h"
#include "ui/help/frm_help.h"
#include "ui/lists/list_file_window.h"
#include "ui/main/frm_main.h"

namespace cw {

// The process-wide parts of the system, one set per loaded module, shared by every command
// instance and every window: the file numbers over the given services, the product identity,
// the fixed places on disk, the session, and the windows. Members are declared in the order
// they depend on each other, so the windows go first when the module goes.
class Module {
 public:
  Module(platform::FileSystem& fs, platform::WindowHost& windowHost, platform::Shell& shell,
         host::MapHost& hostApplication);
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  platform::FileSlots files;
  Services services;
  ProductIdentity identity;
  errors::ErrorReport report;
  store::Storage storage;
  store::ProgramPaths paths;
  Session session;
  ui::WindowRegistry windows;
  // The bookmarks window object, replaced at each successful creation of the command.
  std::unique_ptr<ui::FrmMain> mainWindow;

  // The list model of the active list.
  store::BookmarkList activeList() const;

  // What each window works with, of the parts above.
  ui::MainWindowParts mainWindowParts();
  ui::HelpWindowParts helpWindowParts();
  ui::ListWindowParts listWindowParts();

  // The host application opened another document in place of the one of the last click: a
  // session that held the old one follows to the new one (the old one is gone).
  void hostDocumentReplaced();
};

}  // namespace cw

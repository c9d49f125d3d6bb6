#include "command/module.h"

#include "host/host.h"
#include "ui/main/frm_main.h"

namespace cw {

Module::Module(platform::FileSystem& fs, platform::WindowHost& windowHost, platform::Shell& shell,
               host::MapHost& hostApplication)
    : files(fs),
      services{fs, files, windowHost, shell, hostApplication},
      report(windowHost, files, identity),
      storage{fs, files, windowHost, report} {}

Module::~Module() = default;

store::BookmarkList Module::activeList() const {
  return store::listAt(storage, paths, session.ActiveListPath);
}

ui::MainWindowParts Module::mainWindowParts() {
  return {report,
          session,
          storage,
          paths,
          services.windows,
          services.shell,
          services.hostApplication.frames(),
          identity,
          windows};
}

ui::HelpWindowParts Module::helpWindowParts() {
  return ui::helpWindowPartsOf(mainWindowParts());
}

ui::ListWindowParts Module::listWindowParts() {
  return ui::listWindowPartsOf(mainWindowParts());
}

void Module::hostDocumentReplaced() {
  const bool held = session.HostDocument != nullptr;
  session.HostDocument = nullptr;
  if (held && services.hostApplication.hasDocument()) {
    session.HostDocument = &services.hostApplication.document();
  }
}

}  // namespace cw

#include "command/corbelwick_bookmarks.h"

#include <memory>
#include <string>
#include <utility>

#include "base/failure.h"
#include "command/module.h"
#include "errors/error_trap.h"
#include "host/host.h"
#include "store/file_utilities.h"
#include "store/list_format.h"
#include "store/list_reading.h"
#include "ui/main/frm_main.h"

namespace cw {

namespace {

constexpr const char* kUnit = "CorbelwickBookmarks";

[[noreturn]] void objectNotSet() {
  throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
}

// True when a frame of the host still shows this window.
bool shownInAFrame(Module& module, const ui::Window& window) {
  return module.services.hostApplication.frames().showsWindow(window);
}

}  // namespace

std::string CorbelwickBookmarks::Name() {
  return std::string(product::kCompanyName) + "_" + product::kProductName;
}

std::string CorbelwickBookmarks::Caption() {
  return product::kProductName;
}

std::string CorbelwickBookmarks::Tooltip() {
  return std::string(product::kProductName) + " - Store and organize bookmarks";
}

std::string CorbelwickBookmarks::Message() {
  return std::string(product::kCompanyName) + ": " + product::kWebSite;
}

std::string CorbelwickBookmarks::Category() {
  return product::kCompanyName;
}

void CorbelwickBookmarks::OnCreate(host::MapHost* hook) {
  errors::ErrorTrap trap(module_.report, "ICommand_OnCreate", kUnit, {1});
  trap.run([&] {
    trap.at(1);  // keep the host's hook
    application_ = hook;

    trap.at(2);  // name the company, product and version
    module_.identity.CompanyName = product::kCompanyName;
    module_.identity.ProductName = product::kProductName;
    module_.identity.ProductVersion = product::kProductVersion;

    trap.at(3);  // make the program directory
    int created =
        store::fCreateProgramDirectory(module_.storage, module_.paths, module_.identity.CompanyName,
                                       module_.identity.ProductName, "config", "");

    trap.at(4);  // give up without a program directory
    if (created < 0) {
      module_.services.windows.messageBox(
          std::string("There was an error creating the program directory.\r\n") +
              "Please make sure you have write permission to your local Program Files "
              "directory.\r\n" +
              "Email " + product::kSupportEmail + " for more information.",
          platform::MessageButtons::kOk);
      return;
    }

    trap.at(5);  // make the configuration directory
    module_.paths.ConfigDir = module_.paths.ProgramDir + "BookmarksConfig/";
    if (!store::fDoesDirectoryExist(module_.storage, module_.paths.ConfigDir)) {
      store::fCreateDirectory(module_.storage, module_.paths.ConfigDir);
    }

    // Appending creates a missing marker without touching an existing one.
    trap.at(6);  // create the start-up marker file
    module_.files.close(1);
    module_.files.openForAppend(1, module_.paths.InitMarkerFile());
    module_.files.close(1);

    // An earlier window that a host frame still shows stays alive with its frame; the frame
    // would otherwise hold a window that is gone.
    trap.at(7);  // make the main window
    auto window = std::make_unique<ui::FrmMain>(module_.mainWindowParts());
    if (module_.mainWindow && shownInAFrame(module_, *module_.mainWindow)) {
      module_.windows.keep(std::move(module_.mainWindow), false);
    }
    module_.mainWindow = std::move(window);
    module_.session.ListDisplay = module_.mainWindow.get();
  });
}

void CorbelwickBookmarks::OnClick() {
  errors::ErrorTrap trap(module_.report, "ICommand_OnClick", kUnit, {1});
  trap.run([&] {
    platform::FileSlots& files = module_.files;

    // A document that cannot be reached leaves none behind: the window must not work on a
    // document the host may have dropped.
    trap.at(1);  // reach the host's document
    module_.session.MapHost = &module_.services.hostApplication;
    module_.session.HostDocument = nullptr;
    module_.session.HostDocument = &module_.session.MapHost->document();

    // Every data frame is asked, without stopping at the first that holds a layer.
    trap.at(2);  // look for a data frame with layers
    std::int32_t frameCount = GetDataFrameCount(module_.session);
    bool hasData = false;
    for (std::int32_t index = 0; index < frameCount; ++index) {
      if (GetLayerCount(module_.session, index) > 0) hasData = true;
    }

    trap.at(3);  // ask for data when there is none
    if (!hasData) {
      module_.services.windows.messageBox("Please add data before using CorbelwickBookmarks.",
                                          platform::MessageButtons::kOk);
      return;
    }

    trap.at(4);  // start on the default list
    files.close(1);
    module_.session.ActiveListPath = module_.paths.DefaultListPath();
    module_.session.FormatTag = store::kFormatTag;

    // The last field of the pointer file names the list to start with. A pointer file that
    // cannot be read is reported and the window opens on the default list: otherwise the
    // window could never open again to choose another list.
    trap.at(5);  // take the last list from the pointer file
    if (store::fDoesFileExist(module_.storage, module_.paths.LastListFile)) {
      errors::ErrorTrap pointerTrap(module_.report, "ICommand_OnClick", kUnit, {1});
      pointerTrap.at(5);  // read it; a failure still opens the window
      pointerTrap.run([&] {
        files.close(1);
        std::string last = store::ReadLastField(files, 1, module_.paths.LastListFile);
        if (last != "") module_.session.ActiveListPath = last;
      });
    }

    // Without a window object (the creation failed) there is no frame to show.
    trap.at(6);  // show the window's frame
    if (!module_.mainWindow) objectNotSet();
    host::HostFrame* frame = module_.mainWindow->Frame();
    if (!frame) objectNotSet();
    frame->setVisible(true);
  });
}

}  // namespace cw

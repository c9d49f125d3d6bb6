#include "command/corbelwick_bookmarks.h"

#include <memory>
#include <string>
#include <utility>

#include "command/app_state.h"
#include "errors/error_trap.h"
#include "errors/failure.h"
#include "host/host.h"
#include "store/file_utilities.h"
#include "store/list_format.h"
#include "ui/main/frm_main.h"

namespace cw {

namespace {

constexpr const char* kUnit = "CorbelwickBookmarks";

[[noreturn]] void objectNotSet() {
  throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
}

// True when a frame of the host still shows this window.
bool shownInAFrame(AppState& app, const ui::Window& window) {
  return app.hostApplication.frames().showsWindow(window);
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
  errors::ErrorTrap trap(app_, "ICommand_OnCreate", kUnit, {1});
  trap.run([&] {
    trap.at(1);
    application_ = hook;

    trap.at(2);
    app_.CompanyName = product::kCompanyName;
    app_.ProductName = product::kProductName;
    app_.ProductVersion = product::kProductVersion;

    trap.at(3);
    int created =
        store::fCreateProgramDirectory(app_, app_.CompanyName, app_.ProductName, "config", "");

    trap.at(4);
    if (created < 0) {
      app_.toolkit.messageBox(
          std::string("There was an error creating the program directory.\r\n") +
              "Please make sure you have write permission to your local Program Files "
              "directory.\r\n" +
              "Email " + product::kSupportEmail + " for more information.",
          platform::MessageButtons::kOk);
      return;
    }

    trap.at(5);
    app_.ConfigDir = app_.ProgramDir + "BookmarksConfig/";
    if (!store::fDoesDirectoryExist(app_, app_.ConfigDir)) {
      store::fCreateDirectory(app_, app_.ConfigDir);
    }

    // Appending creates a missing marker without touching an existing one.
    trap.at(6);
    app_.files.close(1);
    app_.files.openForAppend(1, app_.InitMarkerFile());
    app_.files.close(1);

    // An earlier window that a host frame still shows stays alive with its frame; the frame
    // would otherwise hold a window that is gone.
    trap.at(7);
    auto window = std::make_unique<ui::FrmMain>(app_);
    if (app_.mainWindow && shownInAFrame(app_, *app_.mainWindow)) {
      app_.ownedWindows.push_back(std::move(app_.mainWindow));
    }
    app_.mainWindow = std::move(window);
  });
}

void CorbelwickBookmarks::OnClick() {
  errors::ErrorTrap trap(app_, "ICommand_OnClick", kUnit, {1});
  trap.run([&] {
    platform::FileSlots& files = app_.files;

    // A document that cannot be reached leaves none behind: the window must not work on a
    // document the host may have dropped.
    trap.at(1);
    app_.MapHost = &app_.hostApplication;
    app_.HostDocument = nullptr;
    app_.HostDocument = &app_.MapHost->document();

    // Every data frame is asked, without stopping at the first that holds a layer.
    trap.at(2);
    std::int32_t frameCount = GetDataFrameCount(app_);
    bool hasData = false;
    for (std::int32_t index = 0; index < frameCount; ++index) {
      if (GetLayerCount(app_, index) > 0) hasData = true;
    }

    trap.at(3);
    if (!hasData) {
      app_.toolkit.messageBox("Please add data before using CorbelwickBookmarks.",
                              platform::MessageButtons::kOk);
      return;
    }

    trap.at(4);
    files.close(1);
    app_.ActiveListPath = app_.DefaultListPath();
    app_.FormatTag = store::kFormatTag;

    // The last field of the pointer file names the list to start with. A pointer file that
    // cannot be read is reported and the window opens on the default list: otherwise the
    // window could never open again to choose another list.
    trap.at(5);
    if (store::fDoesFileExist(app_, app_.LastListFile)) {
      errors::ErrorTrap pointerTrap(app_, "ICommand_OnClick", kUnit, {1});
      pointerTrap.at(5);
      pointerTrap.run([&] {
        files.close(1);
        files.openForInput(1, app_.LastListFile);
        std::string last;
        while (!store::endOfFile(files, 1)) last = store::readField(files, 1).asText();
        files.close(1);
        if (last != "") app_.ActiveListPath = last;
      });
    }

    // Without a window object (the creation failed) there is no frame to show.
    trap.at(6);
    if (!app_.mainWindow) objectNotSet();
    host::HostFrame* frame = app_.mainWindow->Frame();
    if (!frame) objectNotSet();
    frame->setVisible(true);
  });
}

}  // namespace cw

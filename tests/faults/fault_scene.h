#pragma once

// The scene of the fault tests: the command started on a small list on the program's drive,
// with a FaultInjectingFileSystem between the system and the drives.

#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "command/corbelwick_bookmarks.h"
#include "command/module.h"
#include "frontends/headless/headless_toolkit.h"
#include "hosts/standin/standin.h"
#include "platform/testing/fault_injection.h"
#include "support/list_lines.h"
#include "support/temp_drives.h"
#include "ui/main/frm_main.h"

namespace cw::faults {

using testing::bookmark;
using testing::group;
using testing::header;
using ui::Event;

// The walk makes fresh drives for every fault point: in memory where the machine has a RAM
// disk, so the many flushes cost nothing (CW_FAULTS_ON_DISK=1 keeps them on disk).
inline const bool kDrivesInMemory = [] {
  if (std::getenv("CW_FAULTS_ON_DISK") || !std::filesystem::is_directory("/dev/shm")) return false;
  return ::setenv("TMPDIR", "/dev/shm", 1) == 0;
}();

inline constexpr std::string_view kDocument = R"({"dataFrames": [
    {"name": "Main Map", "extent": [0, 0, 100, 100],
     "layers": [{"name": "Roads", "kind": "feature", "visible": true},
                {"name": "Parcels", "kind": "feature", "visible": false}],
     "bookmarks": [{"name": "Harbour", "extent": [10, 10, 20, 20]},
                   {"name": "Pier", "extent": [0, 0, 40, 10]}]}]})";

inline const std::string kProgramDir = "C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\";
inline const std::string kList = "C:\\Lists\\active.bmk";
inline const std::string kCopy = "C:\\Lists\\copy.bmk";
inline const std::string kFresh = "C:\\Lists\\fresh.bmk";  // a save's target that is not there yet
inline const std::string kOther = "C:\\Lists\\other.bmk";
inline constexpr std::string_view kReportStart = "We're sorry, an unexpected error has occurred.";
inline constexpr std::string_view kNoWriteAccessStart = "It seems you may not have write access";

// The command started on C:\Lists\active.bmk (on the program's drive, so with side files):
// Parks with Riverside (its layer visibilities recorded), Roads with Bridge. C:\Lists also holds
// copy.bmk, the target of the save, and other.bmk, the list the open picks.
struct Scene {
  Scene() : host(standin::loadDocument(kDocument)) {
    drives.write(kList, header() + group("Parks") + group("Roads") + bookmark("Roads", "Bridge"));
    drives.write(kCopy, header() + group("Old"));
    drives.write(kOther, header() + group("Other") + bookmark("Other", "Hill"));
    drives.write(kProgramDir + "config", "\"" + kList + "\"\r\n");
    command.OnCreate(&host);
    drives.fs().deleteFile(module.paths.InitMarkerFile());  // no import offer at start-up
    command.OnClick();
    selectGroup("Parks");
    window().chkViz().setValue(1);
    toolkit.queueInput("Riverside");
    window().fire("cmdbtnAddCurExtent", Event::kClick);
    window().chkViz().setValue(0);
    if (!toolkit.messages.empty()) throw std::runtime_error("the scene did not start cleanly");
  }

  ui::FrmMain& window() { return *module.mainWindow; }

  void selectGroup(const std::string& name) {
    const auto& items = window().lstbxGroup().items();
    auto it = std::find(items.begin(), items.end(), name);
    if (it == items.end()) throw std::runtime_error(name + " is not listed");
    window().lstbxGroup().select(static_cast<int>(it - items.begin()));
  }

  void selectBookmark(const std::string& name) {
    const auto& items = window().lstbxExtentName().items();
    auto it = std::find(items.begin(), items.end(), name);
    if (it == items.end()) throw std::runtime_error(name + " is not listed");
    window().lstbxExtentName().select(static_cast<int>(it - items.begin()));
  }

  testing::TempDrives drives;
  platform::FaultInjectingFileSystem faults{drives.fs()};
  headless::HeadlessToolkit toolkit;
  standin::Application host;
  Module module{faults, toolkit, toolkit, host};
  CorbelwickBookmarks command{module};
};

}  // namespace cw::faults

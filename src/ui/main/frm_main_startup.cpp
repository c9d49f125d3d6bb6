#include <cmath>
#include <utility>

#include "errors/error_trap.h"
#include "host/host.h"
#include "platform/file_slots.h"
#include "store/file_utilities.h"
#include "store/list_lock.h"
#include "store/list_reading.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

[[noreturn]] void objectNotSet() {
  throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
}

host::HostFrame& frameOf(FrmMain& window) {
  host::HostFrame* frame = window.Frame();
  if (!frame) objectNotSet();
  return *frame;
}

// Half the screen less half the window, in pixels: single precision, rounded to the nearest
// integer as the platform's conversion rounds (halves to even).
int centredOffset(int screenTwips, int windowTwips, int twipsPerPixel) {
  float perPixel = static_cast<float>(twipsPerPixel);
  float offset = static_cast<float>(screenTwips) / perPixel / 2.0f -
                 static_cast<float>(windowTwips) / perPixel / 2.0f;
  return static_cast<int>(std::nearbyint(offset));
}

}  // namespace

void FrmMain::Form_Load() {
  // The start-up's trap closes no file: a failure while the list is open leaves number 1 open
  // until the next routine closes it before using it.
  errors::ErrorTrap trap(parts_.report, "Form_Load", kUnit);
  trap.run([&] {
    platform::FileSlots& files = parts_.storage.files;
    const std::string& path = parts_.session.ActiveListPath;

    trap.at(1);  // centred on the screen
    platform::ScreenMetrics screen = parts_.boxes.screen();
    int left = centredOffset(screen.widthTwips, spec().width, screen.twipsPerPixelX);
    int top = centredOffset(screen.heightTwips, spec().height, screen.twipsPerPixelY);
    frameOf(*this).move(left, top, 0, 0);

    trap.at(2);  // the path box
    Text1().setText(path);

    // Another program changing the list at this moment has it in hand, header and all: the
    // start-up then only shows what the list holds.
    if (store::ListLock lock(parts_.storage, path); lock.acquired()) {
      // Appending creates a missing list without touching an existing one.
      trap.at(3);  // create the list if it is missing
      files.close(1);
      files.openForAppend(1, path);
      files.close(1);

      trap.at(4);  // the emptiness test
      bool empty = store::IsEmptyList(files, 1, path);

      // A header cut short would make the list unreadable: it is written whole or not at all.
      trap.at(5);  // give an empty list its header
      files.openForAppend(1, path);
      if (empty) store::AppendHeaderRecord(files, 1);
      files.close(1);
    }

    trap.at(6);  // the group list
    for (auto& group : store::ReadGroupList(files, 1, path)) lstbxGroup().addItem(std::move(group));

    trap.at(7);  // open and close the list once more
    files.close(1);
    files.openForAppend(1, path);
    files.close(1);

    // The import offer: each statement's failure is skipped and the next one runs.
    trap.at(9);  // offer to import the host's bookmarks
    bool markerExists = false;
    errors::ignoreFailure([&] {
      markerExists = store::fDoesFileExist(parts_.storage, parts_.paths.InitMarkerFile());
    });
    if (!markerExists) return;
    host::DataFrame* map = nullptr;
    errors::ignoreFailure([&] { map = &parts_.session.document().activeDataFrame(); });
    errors::ignoreFailure([&] {
      if (!map) objectNotSet();
      map->restartBookmarks();
    });
    host::SpatialBookmark* first = nullptr;
    errors::ignoreFailure([&] {
      if (!map) objectNotSet();
      first = map->nextBookmark();
    });
    if (!first) return;
    bool accepted = false;
    errors::ignoreFailure(
        [&] { accepted = ask("Would you like to import your existing ArcMap bookmarks?"); });
    if (!accepted) return;
    errors::ignoreFailure([&] { btnImport_Click(); });
    errors::ignoreFailure(
        [&] { store::fDeleteFile(parts_.storage, parts_.paths.InitMarkerFile()); });
  });
}

void FrmMain::btnClose_Click() {
  errors::ErrorTrap trap(parts_.report, "btnClose_Click", kUnit, {1});
  trap.run([&] {
    trap.at(1);  // close the list
    parts_.storage.files.close(1);
    trap.at(2);  // hide the frame
    frameOf(*this).setVisible(false);
    trap.at(3);  // unload the window
    unload();
  });
}

}  // namespace cw::ui

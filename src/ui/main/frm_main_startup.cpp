#include <cmath>

#include "command/app_state.h"
#include "errors/error_trap.h"
#include "host/host.h"
#include "platform/file_slots.h"
#include "store/file_utilities.h"
#include "store/group_list.h"
#include "store/list_format.h"
#include "ui/main/frm_main.h"

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
  errors::ErrorTrap trap(app_, "Form_Load", kUnit);
  trap.run([&] {
    platform::FileSlots& files = app_.files;
    const std::string& path = app_.ActiveListPath;

    trap.at(1);
    platform::ScreenMetrics screen = app_.toolkit.screen();
    int left = centredOffset(screen.widthTwips, spec().width, screen.twipsPerPixelX);
    int top = centredOffset(screen.heightTwips, spec().height, screen.twipsPerPixelY);
    frameOf(*this).move(left, top, 0, 0);

    trap.at(2);
    Text1().setText(path);

    // Appending creates a missing list without touching an existing one.
    trap.at(3);
    files.close(1);
    files.openForAppend(1, path);
    files.close(1);

    trap.at(4);
    files.openForInput(1, path);
    bool empty = store::endOfFile(files, 1);
    files.close(1);

    // A header cut short would make the list unreadable: it is written whole or not at all.
    trap.at(5);
    files.openForAppend(1, path);
    if (empty) {
      platform::AppendTransaction append(files, 1);
      store::writeRecord(files, 1, store::headerRecord());
      append.commit();
    }
    files.close(1);

    trap.at(6);
    store::FillGroupList(app_, lstbxGroup());

    trap.at(7);
    files.close(1);
    files.openForAppend(1, path);
    files.close(1);

    // The import offer: each statement's failure is skipped and the next one runs.
    trap.at(9);
    bool markerExists = false;
    errors::ignoreFailure(
        [&] { markerExists = store::fDoesFileExist(app_, app_.InitMarkerFile()); });
    if (!markerExists) return;
    host::DataFrame* map = nullptr;
    errors::ignoreFailure([&] {
      if (!app_.HostDocument) objectNotSet();
      map = &app_.HostDocument->activeDataFrame();
    });
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
    platform::MessageResult answer = platform::MessageResult::kNo;
    errors::ignoreFailure([&] {
      answer = app_.toolkit.messageBox("Would you like to import your existing ArcMap bookmarks?",
                                       platform::MessageButtons::kYesNo);
    });
    if (answer != platform::MessageResult::kYes) return;
    errors::ignoreFailure([&] { btnImport_Click(); });
    errors::ignoreFailure([&] { store::fDeleteFile(app_, app_.InitMarkerFile()); });
  });
}

void FrmMain::btnClose_Click() {
  errors::ErrorTrap trap(app_, "btnClose_Click", kUnit, {1});
  trap.run([&] {
    trap.at(1);
    app_.files.close(1);
    trap.at(2);
    frameOf(*this).setVisible(false);
    trap.at(3);
    unload();
  });
}

}  // namespace cw::ui

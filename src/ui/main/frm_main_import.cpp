#include "errors/error_trap.h"
#include "host/host.h"
#include "store/bookmark_store.h"
#include "store/imported_names.h"
#include "store/list_lock.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";

}  // namespace

// Copies the document's own bookmarks into a new group of the active list. Each host bookmark
// is applied to the data frame and the extent the view then shows is stored, exactly as if the
// user had added it; refusals and failures of one bookmark are handled by the store and the
// import goes on with the next.
void FrmMain::btnImport_Click() {
  errors::ErrorTrap trap(parts_.report, "btnImport_Click", kUnit);
  trap.run([&] {
    trap.at(1);  // the document's first bookmark
    host::HostDocument& document = parts_.session.document();
    host::DataFrame& map = document.activeDataFrame();
    map.restartBookmarks();
    host::SpatialBookmark* bookmark = map.nextBookmark();

    trap.at(2);  // nothing to import without one
    if (!bookmark) {
      tell("There are no bookmarks in the current ArcMap project");
      return;
    }

    // The whole import is one change of the list: no other program adds between its records.
    store::ListLock lock(parts_.storage, parts_.session.ActiveListPath);
    if (!lock.acquired()) return;

    trap.at(3);  // the import group's name
    const std::string group = store::ImportGroupName(groupsOfActiveList());

    // The import goes on whether the group was made, refused as a duplicate or not writable.
    trap.at(4);  // make the import group
    createGroup(group);

    trap.at(5);  // every bookmark of the document
    while (bookmark) {
      const std::string name = store::ImportedBookmarkName(bookmark->name());
      bookmark->applyTo(map);
      // The view may widen the extent to its own proportions: store what it shows.
      const double xMin = document.activeView().extent().XMin;
      const double yMin = document.activeView().extent().YMin;
      const double xMax = document.activeView().extent().XMax;
      const double yMax = document.activeView().extent().YMax;
      addBookmark({group, name, {xMin, yMin, xMax, yMax}});
      bookmark = map.nextBookmark();
    }
  });
}

}  // namespace cw::ui

#include <string>

#include "errors/error_trap.h"
#include "host/host.h"
#include "store/list_reading.h"
#include "store/side_files.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_parts.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";
constexpr int kListFile = 1;
constexpr int kVisibilityFile = 2;

// Feature layers named `layer`: at the top of the data frame, or directly inside a top-level
// group layer. Group layers themselves and deeper members keep their visibility.
void applyToLayer(host::HostLayer& layer, const std::string& name, bool visible) {
  if (layer.isGroupLayer()) {
    for (int m = 0; m < layer.memberCount(); ++m) {
      errors::ignoreFailure([&] {
        host::HostLayer& member = layer.member(m);
        if (member.isFeatureLayer() && store::LayerRecordText(member.name()) == name) {
          member.setVisible(visible);
        }
      });
    }
  } else if (layer.isFeatureLayer() && store::LayerRecordText(layer.name()) == name) {
    layer.setVisible(visible);
  }
}

// One recorded visibility, applied to every data frame and layer carrying the recorded names.
void applyLayerRecord(host::HostDocument& doc, const std::string& frameName,
                      const std::string& layerName, bool visible) {
  int frames = 0;
  errors::ignoreFailure([&] { frames = doc.dataFrameCount(); });
  for (int f = 0; f < frames; ++f) {
    errors::ignoreFailure([&] {
      host::DataFrame& frame = doc.dataFrame(f);
      if (store::LayerRecordText(frame.name()) != frameName) return;
      int layers = frame.layerCount();
      for (int l = 0; l < layers; ++l) {
        errors::ignoreFailure([&] { applyToLayer(frame.layer(l), layerName, visible); });
      }
    });
  }
}

}  // namespace

void FrmMain::btnZoom_Click() {
  if (lstbxExtentName().selectedText().empty()) {
    tell("Please select a bookmark");
    return;
  }
  zoomToSelectedBookmark("btnZoom_Click");
}

void FrmMain::lstbxExtentName_DblClick() {
  zoomToSelectedBookmark("lstbxExtentName_DblClick");
}

// Sets the focus data frame's extent to the selected bookmark's rectangle, read afresh from the
// list, and restores the bookmark's recorded layer visibilities when asked to.
void FrmMain::zoomToSelectedBookmark(const char* routine) {
  errors::ErrorTrap trap(parts_.report, routine, kUnit, {kListFile, kVisibilityFile});
  trap.run([&] {
    try {
      platform::FileSlots& files = parts_.storage.files;
      Session& session = parts_.session;
      trap.at(1);  // the hourglass
      parts_.boxes.setMousePointer(platform::MousePointer::kHourglass);
      trap.at(2);  // the chosen bookmark
      session.SelectedBookmark = lstbxExtentName().selectedText();
      trap.at(3);  // the list, read afresh
      files.close(kListFile);
      files.openForInput(kListFile, session.ActiveListPath);

      // The first record of the group and name; past the end of the list the read fails.
      trap.at(4);  // find the bookmark's record
      store::SeekBookmarkRecord(files, kListFile, session.SelectedGroup, session.SelectedBookmark);

      trap.at(5);  // the focus data frame
      host::HostDocument& doc = session.document();
      host::HostView* view = &doc.focusMap();
      trap.at(6);  // the record's extent
      const host::Envelope extent = store::ReadExtentFields(files, kListFile);
      trap.at(8);  // the map shows it
      view->setExtent(extent);

      // The layout test is made on the focus data frame's view, which a data frame never
      // passes here; a host answering otherwise gets its legend refitted.
      trap.at(9);  // refit a layout's legend; pick the view
      if (view->isPageLayout()) {
        if (GetLegendElement(&doc.focusMap())) {
          RefreshLegend(GetLegendElement(&doc.focusMap()), &doc.pageLayout());
        }
        view = &doc.activeView().focusMap();
      } else {
        view = &doc.activeView();
      }
      trap.at(10);  // redraw the map
      view->invalidate(host::DrawPhase::kGeography, nullptr);
      trap.at(11);  // close the list
      files.close(kListFile);

      // Restoring visibilities is a bonus: each failing statement is skipped.
      trap.at(13);  // find the visibility file to read
      const bool remember = chkViz().value() == 1;
      std::string visibilityPath;
      errors::ignoreFailure([&] {
        if (!remember) return;
        visibilityPath = store::LayerVisibilityFileToRead(
            parts_.storage.fs, parts_.paths.ConfigDir, session.ActiveListPath,
            session.SelectedGroup, session.SelectedBookmark);
      });
      trap.at(14);  // the recorded visibilities
      if (remember && !visibilityPath.empty()) {
        bool opened = false;
        errors::ignoreFailure([&] {
          files.close(kVisibilityFile);
          files.openForInput(kVisibilityFile, visibilityPath);
          opened = true;
        });
        // A record that cannot be read ends the file.
        for (bool more = opened; more;) {
          more = false;
          errors::ignoreFailure([&] {
            store::LayerRecord record;
            if (!store::ReadLayerRecord(files, kVisibilityFile, record)) return;
            more = true;
            applyLayerRecord(doc, record.frame, record.layer, record.visible);
          });
        }
        if (opened) errors::ignoreFailure([&] { doc.refreshContentsView(); });
      }
      trap.at(15);  // close the visibility file
      errors::ignoreFailure([&] { files.close(kVisibilityFile); });
      trap.at(17);  // the pointer back
      parts_.boxes.setMousePointer(platform::MousePointer::kDefault);
    } catch (...) {
      parts_.boxes.setMousePointer(platform::MousePointer::kDefault);
      throw;
    }
  });
}

}  // namespace cw::ui

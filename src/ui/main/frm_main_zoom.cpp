#include <string>

#include "command/app_state.h"
#include "errors/error_trap.h"
#include "host/host.h"
#include "store/list_format.h"
#include "store/side_files.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmMain";
constexpr int kListFile = 1;
constexpr int kVisibilityFile = 2;

host::HostDocument& document(AppState& app) {
  if (!app.HostDocument) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *app.HostDocument;
}

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
    app_.toolkit.messageBox("Please select a bookmark", platform::MessageButtons::kOk);
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
  errors::ErrorTrap trap(app_, routine, kUnit, {kListFile, kVisibilityFile});
  trap.run([&] {
    try {
      platform::FileSlots& files = app_.files;
      trap.at(1);
      app_.toolkit.setMousePointer(platform::MousePointer::kHourglass);
      trap.at(2);
      app_.SelectedBookmark = lstbxExtentName().selectedText();
      trap.at(3);
      files.close(kListFile);
      files.openForInput(kListFile, app_.ActiveListPath);

      // The first record of the group and name; past the end of the list the next read fails.
      trap.at(4);
      for (;;) {
        store::Field group = store::readField(files, kListFile);
        if (group.equals(store::kFormatTag) || !group.equals(app_.SelectedGroup)) {
          store::skipFields(files, kListFile, store::kFieldsPerRecord - 1);
          continue;
        }
        store::Field name = store::readField(files, kListFile);
        if (!name.equals(app_.SelectedBookmark)) {
          store::skipFields(files, kListFile, store::kFieldsPerRecord - 2);
          continue;
        }
        break;
      }

      trap.at(5);
      host::HostDocument& doc = document(app_);
      host::HostView* view = &doc.focusMap();
      trap.at(6);
      double xMin = store::readField(files, kListFile).asNumber();
      double yMin = store::readField(files, kListFile).asNumber();
      double xMax = store::readField(files, kListFile).asNumber();
      double yMax = store::readField(files, kListFile).asNumber();
      trap.at(7);
      host::Envelope extent;
      extent.XMin = xMin;
      extent.YMin = yMin;
      extent.XMax = xMax;
      extent.YMax = yMax;
      trap.at(8);
      view->setExtent(extent);

      // The layout test is made on the focus data frame's view, which a data frame never
      // passes here; a host answering otherwise gets its legend refitted.
      trap.at(9);
      if (view->isPageLayout()) {
        if (GetLegendElement(&doc.focusMap())) {
          RefreshLegend(GetLegendElement(&doc.focusMap()), &doc.pageLayout());
        }
        view = &doc.activeView().focusMap();
      } else {
        view = &doc.activeView();
      }
      trap.at(10);
      view->invalidate(host::DrawPhase::kGeography, nullptr);
      trap.at(11);
      files.close(kListFile);

      // Restoring visibilities is a bonus: each failing statement is skipped.
      trap.at(13);
      const bool remember = chkViz().value() == 1;
      std::string visibilityPath;
      errors::ignoreFailure([&] {
        if (!remember) return;
        visibilityPath = store::LayerVisibilityFileToRead(
            app_, app_.ActiveListPath, app_.SelectedGroup, app_.SelectedBookmark);
      });
      trap.at(14);
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
            if (store::endOfFile(files, kVisibilityFile)) return;
            store::readField(files, kVisibilityFile);  // the bookmark name, not compared
            std::string frameName = store::readField(files, kVisibilityFile).asText();
            std::string layerName = store::readField(files, kVisibilityFile).asText();
            bool visible = store::readField(files, kVisibilityFile).asText() == "True";
            more = true;
            applyLayerRecord(doc, frameName, layerName, visible);
          });
        }
        if (opened) errors::ignoreFailure([&] { doc.refreshContentsView(); });
      }
      trap.at(15);
      errors::ignoreFailure([&] { files.close(kVisibilityFile); });
      trap.at(17);
      app_.toolkit.setMousePointer(platform::MousePointer::kDefault);
    } catch (...) {
      app_.toolkit.setMousePointer(platform::MousePointer::kDefault);
      throw;
    }
  });
}

}  // namespace cw::ui

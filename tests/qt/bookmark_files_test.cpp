// File, Import bookmarks... and Export bookmarks... of the desktop app over the sample town,
// whose map is in UTM zone 10 north: files of other applications come into the active list in
// the map's system, and groups of the list go out in the file's own.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "command/module.h"
#include "convert/list_io.h"
#include "frontends/qt/command_toolbar.h"
#include "frontends/qt/desktop_app.h"
#include "frontends/qt/main_window.h"
#include "frontends/qt/map_canvas.h"
#include "frontends/qt/modal_driver.h"
#include "hosts/standin/standin.h"
#include "support/list_lines.h"
#include "support/temp_drives.h"
#include "ui/main/frm_main.h"

namespace cw::qt {
namespace {

void settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The desktop app with the bookmarks window open on its list, and a folder of this machine
// outside the app's drives for the files of other applications.
class DesktopBookmarkFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    main_.resize(1000, 700);
    main_.show();
    settle();
    driver_.expect([](QWidget* box) { pressButton(box, "No"); });  // no import of the document's
    QTest::mouseClick(main_.commandToolbar()->commandButton(), Qt::LeftButton);
    settle();
    ASSERT_TRUE(app_.module().mainWindow);
    ASSERT_FALSE(list().empty());
    std::filesystem::create_directory(files_);
  }

  const std::string& list() { return app_.module().session.ActiveListPath; }
  std::filesystem::path listFile() { return drives_.host(list()); }

  void trigger(const QString& text) {
    for (QAction* menu : main_.menuBar()->actions()) {
      if (menu->text() != "&File") continue;
      for (QAction* action : menu->menu()->actions()) {
        if (action->text() == text) {
          action->trigger();
          settle();
          return;
        }
      }
    }
    ADD_FAILURE() << "no File menu item " << text.toStdString();
  }

  void chooseFile(const std::filesystem::path& path) {
    driver_.expect([path](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr) << "a file dialog";
      // The dialog reads its folder after it shows and then selects the name it was given:
      // the path is typed once that is over, as a person would.
      QTest::qWait(200);
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      ASSERT_NE(name, nullptr);
      name->setText(QString::fromStdString(path.string()));
      static_cast<QDialog*>(dialog)->accept();  // the file dialog's own, through the public slot
    });
  }

  // The box that tells the outcome, answered; its text is kept.
  // The active list: the group `first` with Riverside in it, then Roads with Ring.
  void writeTwoGroups(const std::string& first) {
    writeFile(listFile(),
              cw::testing::header() + cw::testing::group(first) +
                  cw::testing::bookmark(first, "Riverside", "499200,4198500,501800,4199300") +
                  cw::testing::group("Roads") +
                  cw::testing::bookmark("Roads", "Ring", "493000,4195000,508000,4205000"));
  }

  // File, Export bookmarks...: `choice` of what to export (`shown`, when given, the choices it
  // must offer) into `file`; what the app then tells lands in told_.
  void exportBookmarks(const QString& choice, const std::filesystem::path& file,
                       const QStringList& shown = {}) {
    driver_.expect([choice, shown](QWidget* modal) {
      auto* input = qobject_cast<QInputDialog*>(modal);
      ASSERT_NE(input, nullptr) << "the choice of what to export";
      if (!shown.isEmpty()) {
        EXPECT_EQ(input->comboBoxItems(), shown);
      }
      input->setTextValue(choice);
      input->accept();
    });
    chooseFile(file);
    expectTold();
    trigger("E&xport bookmarks...");
    EXPECT_EQ(driver_.pending(), 0u);
  }

  void expectTold() {
    driver_.expect([this](QWidget* box) {
      told_ = dialogText(box);
      pressButton(box, "OK");
    });
  }

  testing::TempDrives drives_;
  DesktopApp app_{drives_.fs(), standin::sampleDocument()};
  MainWindow& main_ = app_.mainWindow();
  ModalDriver driver_;
  std::filesystem::path files_ = drives_.base() / "machine";
  QString told_;
};

TEST_F(DesktopBookmarkFiles, ImportsAFileInWgs84AsNewGroupsInTheMapsSystem) {
  // QGIS's id 3452 is WGS 84; the box lies on the zone's central meridian, near the town.
  writeFile(files_ / "coast.xml",
            "<!DOCTYPE qgis_bookmarks>\n<qgis_bookmarks>\n  <bookmark><id>{1}</id>"
            "<name>Harbour</name><project>Coast</project><xmin>-123.01</xmin><ymin>37.94</ymin>"
            "<xmax>-122.99</xmax><ymax>37.96</ymax><sr_id>3452</sr_id></bookmark>\n"
            "</qgis_bookmarks>\n");
  chooseFile(files_ / "coast.xml");
  expectTold();
  trigger("&Import bookmarks...");
  EXPECT_EQ(driver_.pending(), 0u);
  EXPECT_TRUE(told_.startsWith("wrote 1 bookmark in 1 group to ")) << told_.toStdString();

  const convert::Bookmarks stored = convert::readList(readFile(listFile()), list());
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].group, "Coast");
  EXPECT_EQ(stored[0].name, "Harbour");
  const host::Envelope& e = stored[0].extent;
  // About 1.8 km by 2.2 km around easting 500,000, northing 4,200,000.
  EXPECT_NEAR((e.XMin + e.XMax) / 2, 500000, 1000);
  EXPECT_NEAR((e.YMin + e.YMax) / 2, 4200000, 3000);
  EXPECT_NEAR(e.XMax - e.XMin, 1760, 100);
  EXPECT_NEAR(e.YMax - e.YMin, 2220, 100);
  // The bookmarks window follows the list.
  const std::vector<std::string>& groups = app_.module().mainWindow->lstbxGroup().items();
  EXPECT_NE(std::find(groups.begin(), groups.end(), "Coast"), groups.end());
}

TEST_F(DesktopBookmarkFiles, ExportsOneGroupOfTheActiveListInTheFilesSystem) {
  writeTwoGroups("Parks");
  exportBookmarks("Parks", files_ / "parks.geojson", {"All groups", "Parks", "Roads"});
  EXPECT_EQ(told_.toStdString(),
            "wrote 1 bookmark in 1 group to " + (files_ / "parks.geojson").string());

  const QJsonObject collection =
      QJsonDocument::fromJson(QByteArray::fromStdString(readFile(files_ / "parks.geojson")))
          .object();
  const QJsonArray features = collection["features"].toArray();
  ASSERT_EQ(features.size(), 1);
  const QJsonObject feature = features[0].toObject();
  EXPECT_EQ(feature["properties"].toObject()["name"].toString(), "Riverside");
  EXPECT_EQ(feature["properties"].toObject()["group"].toString(), "Parks");
  const QJsonArray box = feature["bbox"].toArray();
  ASSERT_EQ(box.size(), 4);
  EXPECT_NEAR(box[0].toDouble(), -123.0, 0.05);  // west, in degrees of longitude
  EXPECT_NEAR(box[1].toDouble(), 37.93, 0.05);   // south
}

TEST_F(DesktopBookmarkFiles, AGroupNamedLikeTheChoiceOfAllIsToldApartAndExportedAlone) {
  writeTwoGroups("All groups");
  exportBookmarks("All groups (group)", files_ / "one.csv",
                  {"All groups", "All groups (group)", "Roads"});
  EXPECT_EQ(told_.toStdString(), "wrote 1 bookmark in 1 group to " + (files_ / "one.csv").string());
  EXPECT_NE(readFile(files_ / "one.csv").find("All groups,Riverside,"), std::string::npos)
      << readFile(files_ / "one.csv");
}

TEST_F(DesktopBookmarkFiles, LayerVisibilitiesGoInAndOutWithTheirBookmarks) {
  writeFile(files_ / "walks.geojson",
            R"({"type": "FeatureCollection", "features": [{"type": "Feature",
                "bbox": [-123.01, 37.94, -122.99, 37.96], "geometry": null,
                "properties": {"name": "Harbour", "group": "Walks", "layers": [
                  {"frame": "Main Map", "layer": "Roads", "visible": false}]}}]})");
  chooseFile(files_ / "walks.geojson");
  expectTold();
  trigger("&Import bookmarks...");
  EXPECT_TRUE(told_.startsWith("wrote 1 bookmark in 1 group to ")) << told_.toStdString();

  exportBookmarks("Walks", files_ / "out.geojson");
  const QJsonArray features =
      QJsonDocument::fromJson(QByteArray::fromStdString(readFile(files_ / "out.geojson")))
          .object()["features"]
          .toArray();
  ASSERT_EQ(features.size(), 1);
  const QJsonArray layers = features[0].toObject()["properties"].toObject()["layers"].toArray();
  ASSERT_EQ(layers.size(), 1);
  EXPECT_EQ(layers[0].toObject()["frame"].toString(), "Main Map");
  EXPECT_EQ(layers[0].toObject()["layer"].toString(), "Roads");
  EXPECT_FALSE(layers[0].toObject()["visible"].toBool(true));
}

TEST_F(DesktopBookmarkFiles, AFileThatCannotBeConvertedIsToldAndTheListStaysAsItWas) {
  const std::string before = readFile(listFile());
  writeFile(files_ / "places.xml", "<kml/>");
  struct Case {
    const char* what;
    const char* mapCrs;
    std::string told;
  } cases[] = {
      {"not the format of its extension", "EPSG:26910",
       ": line 1: not QGIS bookmarks: the root element is <kml>, not <qgis_bookmarks>"},
      {"a map without a reference system", "",
       ": the map names no reference system (its data frame has no \"crs\"), so only lists and "
       "CSV files can be converted"},
  };
  for (const Case& c : cases) {
    main_.canvas()->focusFrame()->crs = c.mapCrs;
    chooseFile(files_ / "places.xml");
    expectTold();
    trigger("&Import bookmarks...");
    EXPECT_EQ(driver_.pending(), 0u) << c.what;
    EXPECT_EQ(told_.toStdString(), (files_ / "places.xml").string() + c.told) << c.what;
    EXPECT_EQ(readFile(listFile()), before) << c.what;
  }
}

}  // namespace
}  // namespace cw::qt

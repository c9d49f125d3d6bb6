// One journey through real widgets: the command's toolbar button opens the bookmarks window, an
// input box names a new group, the canvas is zoomed and its extent added as a bookmark, the map
// is moved and a layer switched off, and a double-click on the bookmark zooms the canvas back
// and switches the layer on again in the table of contents.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidgetItem>
#include <QWheelEvent>
#include <cmath>

#include "command/module.h"
#include "frontends/qt/command_toolbar.h"
#include "frontends/qt/contents_tree.h"
#include "frontends/qt/desktop_app.h"
#include "frontends/qt/frame_window.h"
#include "frontends/qt/main_window.h"
#include "frontends/qt/map_canvas.h"
#include "frontends/qt/modal_driver.h"
#include "frontends/qt/window_view.h"
#include "hosts/standin/standin.h"
#include "support/temp_drives.h"
#include "ui/main/frm_main.h"

namespace cw::qt {
namespace {

void settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

QModelIndex rowWithText(QListView* list, const QString& text) {
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    QModelIndex index = list->model()->index(row, 0);
    if (index.data().toString() == text) return index;
  }
  return {};
}

void expectNear(const host::Envelope& a, const host::Envelope& b) {
  double tolerance = 1e-6 * (std::abs(b.XMax - b.XMin) + 1);
  EXPECT_NEAR(a.XMin, b.XMin, tolerance);
  EXPECT_NEAR(a.YMin, b.YMin, tolerance);
  EXPECT_NEAR(a.XMax, b.XMax, tolerance);
  EXPECT_NEAR(a.YMax, b.YMax, tolerance);
}

TEST(DesktopJourney, BookmarkOfTheCanvasExtentZoomsBackAndRestoresALayer) {
  testing::TempDrives drives;
  DesktopApp app(drives.fs(), standin::sampleDocument());
  MainWindow& main = app.mainWindow();
  main.resize(1000, 700);
  main.show();
  settle();
  ModalDriver driver;
  QStringList asked;

  // The command's button: the window opens, after the offer to import, answered No.
  driver.expect([&](QWidget* box) {
    asked << dialogText(box);
    pressButton(box, "No");
  });
  QWidget* command = main.commandToolbar()->commandButton();
  ASSERT_NE(command, nullptr);
  QTest::mouseClick(command, Qt::LeftButton);
  settle();
  ASSERT_TRUE(app.module().mainWindow);
  FrameWindow* frame = app.frameOf(*app.module().mainWindow);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->windowTitle(), "CorbelwickBookmarks");
  EXPECT_EQ(asked, QStringList{"Would you like to import your existing ArcMap bookmarks?"});
  WindowView* view = frame->view();
  auto widget = [&](const char* name) { return view->widgetFor(name); };

  // A group named in the input box.
  driver.expect([&](QWidget* input) {
    asked << dialogText(input);
    answerInput(input, "Walks");
  });
  QTest::mouseClick(widget("cmdbtnAddGroup"), Qt::LeftButton);
  settle();
  auto* groups = qobject_cast<QListView*>(widget("lstbxGroup"));
  ASSERT_TRUE(rowWithText(groups, "Walks").isValid()) << "the new group is listed";
  EXPECT_EQ(groups->currentIndex().data().toString(), "Walks");

  // Zoom the canvas with the wheel; its extent becomes a bookmark that remembers the layers.
  MapCanvas* canvas = main.canvas();
  standin::DataFrame* map = canvas->focusFrame();
  ASSERT_NE(map, nullptr);
  host::Envelope before = map->extent();
  QPointF centre(canvas->width() * 0.6, canvas->height() * 0.5);
  QWheelEvent wheel(centre, canvas->mapToGlobal(centre), {}, {0, 240}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(canvas, &wheel);
  host::Envelope zoomed = map->extent();
  EXPECT_LT(zoomed.XMax - zoomed.XMin, before.XMax - before.XMin);
  QTest::mouseClick(widget("chkViz"), Qt::LeftButton);
  EXPECT_EQ(app.module().mainWindow->chkViz().value(), 1);
  driver.expect([](QWidget* input) { answerInput(input, "Harbour view"); });
  QTest::mouseClick(widget("cmdbtnAddCurExtent"), Qt::LeftButton);
  settle();
  auto* bookmarks = qobject_cast<QListView*>(widget("lstbxExtentName"));
  QModelIndex added = rowWithText(bookmarks, "Harbour view");
  ASSERT_TRUE(added.isValid()) << "the new bookmark is listed";

  // Move away by dragging, and switch a layer off in the table of contents.
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(canvas, QPoint(300, 250));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_NE(map->extent(), zoomed);
  QTreeWidgetItem* poi = main.contents()->layerItem(map->name(), "Points of Interest");
  ASSERT_NE(poi, nullptr);
  poi->setCheckState(0, Qt::Unchecked);
  EXPECT_FALSE(map->layer(0).visible());

  // The double-click zooms back to the recorded extent and switches the layer on again.
  QRect row = bookmarks->visualRect(added);
  QTest::mouseClick(bookmarks->viewport(), Qt::LeftButton, {}, row.center());
  QTest::mouseDClick(bookmarks->viewport(), Qt::LeftButton, {}, row.center());
  settle();
  expectNear(map->extent(), zoomed);
  expectNear(canvas->shownExtent(), zoomed);
  EXPECT_TRUE(map->layer(0).visible());
  EXPECT_EQ(poi->checkState(0), Qt::Checked);
  EXPECT_EQ(driver.pending(), 0u);
  EXPECT_EQ(asked.size(), 2);
}

}  // namespace
}  // namespace cw::qt

// Every window of the system rendered from its one description: the widgets stand where the
// description puts them (twips to pixels at the screen's dpi), with its captions, tooltips,
// containers and order; the sorted list boxes stay fast with 100,000 items.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "command/module.h"
#include "frontends/headless/headless_toolkit.h"
#include "frontends/qt/qt_toolkit.h"
#include "frontends/qt/window_view.h"
#include "hosts/standin/standin.h"
#include "support/temp_drives.h"
#include "ui/help/frm_help.h"
#include "ui/lists/frm_load_list.h"
#include "ui/lists/frm_save_list.h"
#include "ui/main/frm_main.h"

namespace cw::qt {
namespace {

class WindowWidgets : public ::testing::Test {
 protected:
  testing::TempDrives drives;
  headless::HeadlessToolkit toolkit;
  standin::Application host{standin::sampleDocument()};
  Module module{drives.fs(), toolkit, toolkit, host};

  ~WindowWidgets() override {
    module.mainWindow.reset();
    module.windows.dropKept();
  }
};

QString qs(const std::string& s) {
  return QString::fromStdString(s);
}

// What a widget shows as the control's caption, and whether it is the kind's widget.
void expectKindAndCaption(const ui::ControlSpec& spec, QWidget* w) {
  SCOPED_TRACE(spec.name);
  using K = ui::ControlKind;
  switch (spec.kind) {
    case K::kButton:
      ASSERT_TRUE(qobject_cast<QPushButton*>(w));
      EXPECT_EQ(qobject_cast<QPushButton*>(w)->text(), qs(spec.caption));
      break;
    case K::kCheckBox:
      ASSERT_TRUE(qobject_cast<QCheckBox*>(w));
      EXPECT_EQ(qobject_cast<QCheckBox*>(w)->text(), qs(spec.caption));
      break;
    case K::kTextBox:
      ASSERT_TRUE(qobject_cast<QLineEdit*>(w));
      EXPECT_EQ(qobject_cast<QLineEdit*>(w)->text(), qs(spec.caption));
      break;
    case K::kLabel:
    case K::kLinkLabel:
      ASSERT_TRUE(qobject_cast<QLabel*>(w));
      EXPECT_EQ(qobject_cast<QLabel*>(w)->text(), qs(spec.caption));
      break;
    case K::kFrame:
      ASSERT_TRUE(qobject_cast<QGroupBox*>(w));
      EXPECT_EQ(qobject_cast<QGroupBox*>(w)->title(), qs(spec.caption));
      break;
    case K::kPicture:
      ASSERT_TRUE(qobject_cast<QLabel*>(w));
      EXPECT_FALSE(qobject_cast<QLabel*>(w)->pixmap().isNull());
      break;
    case K::kListBox:
    case K::kFileList:
      ASSERT_TRUE(qobject_cast<QListView*>(w));
      break;
    case K::kDriveList:
      ASSERT_TRUE(qobject_cast<QComboBox*>(w));
      break;
    case K::kDirectoryList:
      ASSERT_TRUE(w->findChild<QListView*>());
      break;
  }
}

void expectRendersDescription(ui::Window& window, TwipsScale scale) {
  SCOPED_TRACE(window.name() + " at " + std::to_string(scale.perPixelX) + " twips per pixel");
  const ui::WindowSpec& spec = window.spec();
  WindowView view(window, scale);
  EXPECT_EQ(view.size(), QSize(scale.x(spec.width), scale.y(spec.height)));
  EXPECT_EQ(view.objectName(), qs(spec.name));
  for (const ui::ControlSpec& control : spec.controls) {
    SCOPED_TRACE(control.name);
    QWidget* w = view.widgetFor(control.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), qs(control.name));
    PixelRect r = toPixels(control.position, scale);
    EXPECT_EQ(w->geometry(), QRect(r.left, r.top, r.width, r.height));
    QWidget* container = control.container.empty() ? &view : view.widgetFor(control.container);
    EXPECT_EQ(w->parentWidget(), container);
    EXPECT_EQ(w->toolTip(), qs(control.tooltip));
    expectKindAndCaption(control, w);
  }
  // Within each container the controls described first lie on top: Qt lists the topmost last.
  std::vector<std::string> containers{""};
  for (const auto& control : spec.controls) {
    if (control.kind == ui::ControlKind::kFrame) containers.push_back(control.name);
  }
  for (const std::string& container : containers) {
    QWidget* parent = container.empty() ? &view : view.widgetFor(container);
    std::vector<QString> described;
    for (const auto& control : spec.controls) {
      if (control.container == container) described.insert(described.begin(), qs(control.name));
    }
    std::vector<QString> stacked;
    for (QObject* child : parent->children()) {
      auto* w = qobject_cast<QWidget*>(child);
      if (w && view.widgetFor(w->objectName().toStdString()) == w)
        stacked.push_back(w->objectName());
    }
    EXPECT_EQ(stacked, described) << "stacking in " << (container.empty() ? "window" : container);
  }
}

TEST_F(WindowWidgets, EveryWindowMatchesItsDescriptionAtTheScreensDpi) {
  ui::FrmMain main(module.mainWindowParts());
  ui::FrmHelp help(module.helpWindowParts());
  ui::FrmLoadList load(module.listWindowParts());
  ui::FrmSaveList save(module.listWindowParts());
  std::vector<ui::Window*> windows{&main, &help, &load, &save};
  // 96 dpi, 120 dpi and 144 dpi: 15, 12 and 10 twips per pixel.
  for (double dpi : {96.0, 120.0, 144.0}) {
    TwipsScale scale = TwipsScale::fromDpi(dpi, dpi);
    EXPECT_EQ(scale.perPixelX, static_cast<int>(1440 / dpi));
    for (ui::Window* window : windows) expectRendersDescription(*window, scale);
  }
  // The toolkit reports the screen in the same factors.
  QtToolkit qtToolkit("CorbelwickGIS");
  platform::ScreenMetrics screen = qtToolkit.screen();
  TwipsScale own = TwipsScale::ofScreen();
  EXPECT_EQ(screen.twipsPerPixelX, own.perPixelX);
  EXPECT_EQ(screen.widthTwips, QGuiApplication::primaryScreen()->size().width() * own.perPixelX);
}

TEST_F(WindowWidgets, ImportButtonLiesOnTopOfTheGroupsFrame) {
  ui::FrmMain main(module.mainWindowParts());
  WindowView view(main, TwipsScale{15, 15});
  QWidget* import = view.widgetFor("btnImport");
  ASSERT_NE(import, nullptr);
  // The button overlaps Frame1 without belonging to it, and must take the clicks there.
  EXPECT_TRUE(import->geometry().intersects(view.widgetFor("Frame1")->geometry()));
  QWidget* hit = view.childAt(import->geometry().center());
  EXPECT_TRUE(hit == import || import->isAncestorOf(hit));
}

TEST_F(WindowWidgets, SortedListBoxStaysFastAndOrderedWith100000Items) {
  ui::FrmMain main(module.mainWindowParts());
  WindowView view(main, TwipsScale{15, 15});
  auto* list = qobject_cast<QListView*>(view.widgetFor("lstbxGroup"));
  ASSERT_NE(list, nullptr);
  view.show();

  constexpr int kItems = 100000;
  QElapsedTimer timer;
  timer.start();
  for (int i = kItems; i > 0; --i) main.lstbxGroup().addItem("group " + std::to_string(i));
  main.lstbxGroup().addItem("Alpha");
  QCoreApplication::processEvents();
  list->grab();  // lays out and paints the visible rows
  qint64 fillMs = timer.elapsed();

  ASSERT_EQ(list->model()->rowCount(), kItems + 1);
  EXPECT_EQ(list->model()->index(0, 0).data().toString(), "Alpha");
  EXPECT_EQ(list->model()->index(1, 0).data().toString(), "group 1");
  EXPECT_EQ(list->model()->index(2, 0).data().toString(), "group 10");

  // A selection made by the system shows in the view; one made in the view reaches the model.
  timer.restart();
  main.lstbxGroup().select(50000);
  QCoreApplication::processEvents();
  EXPECT_EQ(list->currentIndex().row(), 50000);
  list->setCurrentIndex(list->model()->index(7, 0));
  EXPECT_EQ(main.lstbxGroup().selectedIndex(), 7);
  qint64 selectMs = timer.elapsed();

  std::cout << "100,000 items: filled and shown in " << fillMs << " ms, selections in " << selectMs
            << " ms\n";
  EXPECT_LT(fillMs, 5000);
  EXPECT_LT(selectMs, 1000);
}

}  // namespace
}  // namespace cw::qt

#include "frontends/qt/tour.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListView>
#include <QMenu>
#include <QTreeWidget>
#include <QWheelEvent>
#include <functional>
#include <vector>

#include "command/module.h"
#include "frontends/qt/command_toolbar.h"
#include "frontends/qt/contents_tree.h"
#include "frontends/qt/desktop_app.h"
#include "frontends/qt/frame_window.h"
#include "frontends/qt/main_window.h"
#include "frontends/qt/map_canvas.h"
#include "frontends/qt/modal_driver.h"
#include "frontends/qt/screenshot.h"
#include "frontends/qt/window_view.h"
#include "hosts/standin/standin.h"
#include "ui/main/frm_main.h"

namespace cw::qt {

namespace {

class Tour {
 public:
  Tour(DesktopApp& app, QString directory) : app_(app), dir_(std::move(directory)) {
    driver_.unexpected = [this](QWidget* modal) {
      shot(kindOf(modal));
      answerPolitely(modal);
    };
  }

  TourResult play() {
    QWidget& main = app_.mainWindow();
    main.resize(kTourWindowSize);
    main.move(0, 0);
    main.show();
    settle();
    std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"map", [] {}},
        {"layout", [this] { app_.mainWindow().showLayout(true); }},
        {"bookmarks-window", [this] { openBookmarksWindow(); }},
        {"group-added", [this] { addGroup(); }},
        {"bookmark-added", [this] { addBookmark(); }},
        {"moved-away", [this] { moveAway(); }},
        {"zoomed-to-bookmark", [this] { zoomBack(); }},
        {"", [this] { press("btnLoadList"); }},  // shown, pictured and cancelled as a dialog
        {"help", [this] { openHelp(); }},
    };
    for (auto& [name, action] : steps) {
      action();
      settle();
      if (*name) shot(name);
      if (!result_.error.isEmpty()) break;
    }
    return result_;
  }

 private:
  void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }

  void shot(const QString& name) {
    QString file =
        QDir(dir_).filePath(QString("%1-%2.png").arg(++count_, 2, 10, QChar('0')).arg(name));
    if (!screenshot(&app_.mainWindow()).save(file, "PNG")) {
      result_.error = "cannot write " + file;
      return;
    }
    result_.files << file;
  }

  static bool isQuestion(QWidget* modal) {
    return modal->inherits("QMessageBox") && modal->findChildren<QAbstractButton*>().size() > 1;
  }

  static QString kindOf(QWidget* modal) {
    if (modal->inherits("QMessageBox")) return isQuestion(modal) ? "question" : "message";
    if (modal->inherits("QInputDialog")) return "input";
    return modal->objectName().remove("Dialog");  // the system window's name
  }

  static void answerPolitely(QWidget* modal) {
    // Questions get Yes (the import offer), boxes OK, input boxes a name, windows their close.
    if (modal->inherits("QMessageBox")) {
      pressButton(modal, isQuestion(modal) ? "Yes" : "OK");
    } else if (modal->inherits("QInputDialog")) {
      answerInput(modal, "Tour");
    } else {
      cancelDialog(modal);
    }
  }

  WindowView* bookmarksView() {
    if (!app_.module().mainWindow) return nullptr;
    FrameWindow* frame = app_.frameOf(*app_.module().mainWindow);
    return frame ? frame->view() : nullptr;
  }

  template <class W>
  W* control(const char* name) {
    WindowView* view = bookmarksView();
    QWidget* widget = view ? view->widgetFor(name) : nullptr;
    return widget ? qobject_cast<W*>(widget) : nullptr;
  }

  void press(const char* name) {
    if (auto* button = control<QAbstractButton>(name)) button->click();
  }

  void wheel(int notches, QPointF at) {
    MapCanvas* canvas = app_.mainWindow().canvas();
    QWheelEvent event(at, canvas->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(canvas, &event);
  }

  void openBookmarksWindow() {
    app_.mainWindow().showLayout(false);
    // The command's own button on the toolbar; the import offer is answered Yes.
    if (auto* button =
            qobject_cast<QAbstractButton*>(app_.mainWindow().commandToolbar()->commandButton())) {
      button->click();
    }
    if (!bookmarksView()) result_.error = "the command showed no bookmarks window";
  }

  void addGroup() {
    driver_.expect([this](QWidget* modal) {
      typeInput(modal, "Harbour Walks");
      shot("new-group");
      answerInput(modal, "Harbour Walks");
    });
    press("cmdbtnAddGroup");
  }

  // The document's own bookmark of that name, as chosen from the Bookmarks menu.
  void goToDocumentBookmark(const QString& name) {
    QMenu* menu = app_.mainWindow().bookmarksMenu();
    emit menu->aboutToShow();
    for (QAction* action : menu->actions()) {
      if (action->text() == name) action->trigger();
    }
  }

  void addBookmark() {
    goToDocumentBookmark("Harbour");
    MapCanvas* canvas = app_.mainWindow().canvas();
    wheel(1, QPointF(canvas->width() * 0.5, canvas->height() * 0.5));
    if (auto* remember = control<QCheckBox>("chkViz")) {
      if (!remember->isChecked()) remember->click();
    }
    driver_.expect([this](QWidget* modal) {
      typeInput(modal, "Old Harbour");
      shot("new-bookmark");
      answerInput(modal, "Old Harbour");
    });
    press("cmdbtnAddCurExtent");
  }

  void moveAway() {
    goToDocumentBookmark("Old Town");
    ContentsTree* contents = app_.mainWindow().contents();
    if (QTreeWidgetItem* first = contents->topLevelItem(0); first && first->childCount() > 0) {
      first->child(0)->setCheckState(0, Qt::Unchecked);
    }
  }

  void zoomBack() {
    auto* list = control<QListView>("lstbxExtentName");
    if (!list) return;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
      QModelIndex index = list->model()->index(row, 0);
      if (index.data().toString() == "Old Harbour") list->setCurrentIndex(index);
    }
    press("btnZoom");
  }

  void openHelp() {
    WindowView* view = bookmarksView();
    if (view && view->window().hasHandler("btnHelp2", ui::Event::kClick)) press("btnHelp2");
  }

  DesktopApp& app_;
  QString dir_;
  ModalDriver driver_;
  TourResult result_;
  int count_ = 0;
};

}  // namespace

TourResult playTour(DesktopApp& app, const QString& directory) {
  if (!QDir().mkpath(directory)) return {{}, "cannot make " + directory};
  return Tour(app, directory).play();
}

}  // namespace cw::qt

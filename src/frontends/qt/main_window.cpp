#include "frontends/qt/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QStackedWidget>
#include <QStatusBar>
#include <vector>

#include "base/failure.h"
#include "command/corbelwick_bookmarks.h"
#include "command/module.h"
#include "convert/bookmark.h"
#include "errors/error_trap.h"
#include "frontends/qt/bookmark_files.h"
#include "frontends/qt/command_toolbar.h"
#include "frontends/qt/contents_tree.h"
#include "frontends/qt/host_calls.h"
#include "frontends/qt/layout_view.h"
#include "frontends/qt/map_canvas.h"
#include "hosts/standin/standin.h"
#include "ui/main/frm_main.h"

namespace cw::qt {

namespace {

QString number(double value) {
  return QString::number(value, 'f', 1);
}

}  // namespace

MainWindow::MainWindow(Module& module, standin::Application& host, ICommand& command)
    : module_(module), host_(host) {
  setObjectName("MainWindow");
  setWindowTitle("Corbelwick Map");
  canvas_ = new MapCanvas(host_, this);
  layout_ = new LayoutView(host_, this);
  views_ = new QStackedWidget(this);
  views_->addWidget(canvas_);
  views_->addWidget(layout_);
  setCentralWidget(views_);

  contents_ = new ContentsTree(host_, this);
  auto* dock = new QDockWidget("Table Of Contents", this);
  dock->setObjectName("TableOfContentsDock");
  dock->setFeatures(QDockWidget::DockWidgetMovable);
  dock->setWidget(contents_);
  addDockWidget(Qt::LeftDockWidgetArea, dock);
  resizeDocks({dock}, {220}, Qt::Horizontal);

  extent_ = new QLabel(this);
  extent_->setObjectName("ExtentLabel");
  statusBar()->addPermanentWidget(extent_);

  buildMenus();
  toolbar_ = new CommandToolbar(command, host_, this);
  addToolBar(toolbar_);
  if (QMenu* tools = menuBar()->addMenu("&Tools")) {
    tools->addMenu(toolbar_->windowTitle())->addAction(toolbar_->commandAction());
  }
  attachDocument();
  refresh();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("&Open Document...", QKeySequence::Open, this, [this] { openDocument(); });
  file->addAction("&Save Document As...", QKeySequence::SaveAs, this, [this] { saveDocument(); });
  file->addAction("Open Sample &Document", this,
                  [this] { setDocument(standin::sampleDocument()); });
  file->addSeparator();
  file->addAction("&Import bookmarks...", this, [this] { importBookmarks(); });
  file->addAction("E&xport bookmarks...", this, [this] { exportBookmarks(); });
  file->addSeparator();
  file->addAction("E&xit", QKeySequence::Quit, this, [this] { close(); });

  QMenu* view = menuBar()->addMenu("&View");
  auto* group = new QActionGroup(this);
  dataView_ = view->addAction("&Data View", this, [this] { showLayout(false); });
  layoutView_ = view->addAction("&Layout View", this, [this] { showLayout(true); });
  for (QAction* a : {dataView_, layoutView_}) {
    a->setCheckable(true);
    group->addAction(a);
  }

  bookmarks_ = menuBar()->addMenu("&Bookmarks");
  connect(bookmarks_, &QMenu::aboutToShow, this, [this] { fillBookmarksMenu(); });
  fillBookmarksMenu();
}

void MainWindow::attachDocument() {
  if (!host_.hasDocument()) return;
  QPointer<MainWindow> guard(this);
  host_.document().listeners.push_back([guard] {
    if (guard) guard->refresh();
  });
}

void MainWindow::refresh() {
  canvas_->documentChanged();
  contents_->documentChanged();
  layout_->update();
  bool layout = host_.hasDocument() && host_.document().layoutActive();
  views_->setCurrentWidget(layout ? static_cast<QWidget*>(layout_) : canvas_);
  (layout ? layoutView_ : dataView_)->setChecked(true);
  if (standin::DataFrame* frame = canvas_->focusFrame()) {
    host::Envelope e = frame->extent();
    extent_->setText(QString("%1   Extent: %2, %3 - %4, %5")
                         .arg(QString::fromStdString(frame->name()), number(e.XMin), number(e.YMin),
                              number(e.XMax), number(e.YMax)));
  } else {
    extent_->setText("No data frame");
  }
}

void MainWindow::setDocument(std::unique_ptr<standin::Document> document) {
  // The system holds the document of its last click: it is told the document was replaced.
  host_.setDocument(std::move(document));
  module_.hostDocumentReplaced();
  attachDocument();
  canvas_->documentReplaced();
  refresh();
}

void MainWindow::showLayout(bool layout) {
  if (host_.hasDocument()) host_.document().setLayoutActive(layout);
  refresh();
}

void MainWindow::createBookmark(const QString& name) {
  standin::DataFrame* frame = canvas_->focusFrame();
  if (!frame || name.isEmpty()) return;
  frame->bookmarks.push_back(
      std::make_unique<standin::SpatialBookmark>(name.toStdString(), frame->extent()));
  host_.document().changed();
}

void MainWindow::fillBookmarksMenu() {
  bookmarks_->clear();
  bookmarks_->addAction("&Create Bookmark...", this, [this] {
    bool ok = false;
    QString name = QInputDialog::getText(this, "Create Bookmark",
                                         "Bookmark name:", QLineEdit::Normal, QString(), &ok);
    if (ok) createBookmark(name.trimmed());
  });
  bookmarks_->addSeparator();
  standin::DataFrame* frame = canvas_->focusFrame();
  if (!frame || frame->bookmarks.empty()) {
    bookmarks_->addAction("(no bookmarks)")->setEnabled(false);
    return;
  }
  for (const auto& bookmark : frame->bookmarks) {
    standin::SpatialBookmark* target = bookmark.get();
    bookmarks_->addAction(QString::fromStdString(bookmark->name()), this, [this, target] {
      if (standin::DataFrame* focus = canvas_->focusFrame()) {
        for (const auto& b : focus->bookmarks) {
          if (b.get() == target) hostCall([&] { target->applyTo(*focus); });
        }
      }
    });
  }
}

void MainWindow::openDocument() {
  QString path = QFileDialog::getOpenFileName(this, "Open Map Document", QString(),
                                              "Map documents (*.json);;All files (*)");
  if (path.isEmpty()) return;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    QMessageBox::warning(this, windowTitle(), "Cannot read " + path + ".");
    return;
  }
  QByteArray bytes = file.readAll();
  try {
    setDocument(standin::loadDocument(std::string_view(bytes.constData(), bytes.size())));
  } catch (const Failure& e) {
    QMessageBox::warning(this, windowTitle(),
                         "Not a map document: " + QString::fromStdString(e.description()));
  }
}

void MainWindow::saveDocument() {
  if (!host_.hasDocument()) return;
  QString path =
      QFileDialog::getSaveFileName(this, "Save Map Document", "map.json", "Map documents (*.json)");
  if (path.isEmpty()) return;
  QFile file(path);
  QByteArray bytes = QByteArray::fromStdString(standin::saveDocument(host_.document()));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    QMessageBox::warning(this, windowTitle(), "Cannot write " + path + ".");
  }
}

std::string MainWindow::mapCrs() const {
  standin::DataFrame* frame = canvas_->focusFrame();
  return frame ? frame->crs : std::string();
}

bool MainWindow::hasActiveList(const QString& title) {
  if (!module_.session.ActiveListPath.empty()) return true;
  QMessageBox::information(this, title,
                           "No bookmark list is open yet: open the bookmarks window first.");
  return false;
}

void MainWindow::importBookmarks() {
  const QString title = "Import Bookmarks";
  if (!hasActiveList(title)) return;
  const QString path = QFileDialog::getOpenFileName(this, title, QString(), bookmarkFileFilter());
  if (path.isEmpty()) return;
  convertBookmarks(title,
                   [&] { return importBookmarkFile(module_, path.toStdString(), mapCrs()); });
}

void MainWindow::exportBookmarks() {
  const QString title = "Export Bookmarks";
  if (!hasActiveList(title)) return;
  // Each choice is shown once; a group whose name another choice already shows (a group named
  // "All groups") is told apart by a mark after it.
  QStringList choices{"All groups"};
  std::vector<std::string> groups{std::string()};  // of each choice; "" for all of them
  errors::ErrorTrap trap(module_.report, "exportBookmarks", "MainWindow");
  bool readable = false;
  trap.run([&] {
    try {
      for (const std::string& group : groupsOfActiveList(module_)) {
        QString shown = QString::fromStdString(group);
        while (choices.contains(shown)) shown += " (group)";
        choices << shown;
        groups.push_back(group);
      }
      readable = true;
    } catch (const convert::InputError& error) {
      QMessageBox::warning(this, title, QString::fromStdString(error.what()));
    }
  });
  if (!readable) return;
  bool chosen = false;
  const QString choice =
      QInputDialog::getItem(this, title, "Bookmarks to export:", choices, 0, false, &chosen);
  if (!chosen) return;
  const qsizetype chosenAt = choices.indexOf(choice);
  if (chosenAt < 0) return;
  const std::string group = groups[static_cast<std::size_t>(chosenAt)];
  const QString path =
      QFileDialog::getSaveFileName(this, title, "bookmarks.xml", bookmarkFileFilter());
  if (path.isEmpty()) return;
  convertBookmarks(
      title, [&] { return exportBookmarkFile(module_, path.toStdString(), group, mapCrs()); });
}

void MainWindow::convertBookmarks(const QString& title,
                                  const std::function<std::vector<std::string>()>& run) {
  // A file that cannot be converted is the user's to fix and is said so; any other failure is
  // the system's, and its report tells it.
  errors::ErrorTrap trap(module_.report, "convertBookmarks", "MainWindow");
  trap.run([&] {
    try {
      QStringList told;
      for (const std::string& line : run()) told << QString::fromStdString(line);
      if (module_.mainWindow) module_.mainWindow->LoadGroupList();
      QMessageBox::information(this, title, told.join("\n"));
    } catch (const convert::InputError& error) {
      QMessageBox::warning(this, title, QString::fromStdString(error.what()));
    }
  });
}

}  // namespace cw::qt

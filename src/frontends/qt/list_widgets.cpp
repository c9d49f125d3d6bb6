#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QVBoxLayout>

#include "frontends/qt/control_widgets.h"
#include "frontends/qt/list_model.h"
#include "ui/controls/file_lists.h"
#include "ui/controls/selectable.h"
#include "ui/controls/window.h"

namespace cw::qt {

namespace {

// A list box or file list: picking a row selects the entry (which fires its Click), a double
// click fires DblClick. A directory list enters the double-clicked directory instead.
class EntryListView : public QListView {
 public:
  EntryListView(ui::Control& control, ui::Selectable& entries, bool enterOnDoubleClick,
                QWidget* parent)
      : QListView(parent),
        control_(control),
        entries_(entries),
        enterOnDoubleClick_(enterOnDoubleClick) {
    model_ = new EntryListModel(control, entries, this);
    setModel(model_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    model_->synced = [this] { followSelection(); };
    followSelection();
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
              if (syncing_ || enterOnDoubleClick_ || !current.isValid()) return;
              if (current.row() < entries_.entryCount()) entries_.selectEntry(current.row());
            });
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
      if (!index.isValid() || index.row() >= entries_.entryCount()) return;
      if (enterOnDoubleClick_) {
        entries_.selectEntry(index.row());
      } else {
        control_.fire(ui::Event::kDblClick);
      }
    });
  }

 private:
  void followSelection() {
    syncing_ = true;
    int selected = selectedEntry(control_);
    if (selected >= 0 && selected < model_->rowCount()) {
      QModelIndex index = model_->index(selected);
      selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
      scrollTo(index);
    } else if (!enterOnDoubleClick_) {
      selectionModel()->clear();
    }
    syncing_ = false;
  }

  ui::Control& control_;
  ui::Selectable& entries_;
  bool enterOnDoubleClick_;
  EntryListModel* model_ = nullptr;
  bool syncing_ = false;
};

// A drive list: the drives in a drop-down list; choosing one changes the drive.
QWidget* createDriveList(ui::DriveList& drives, QWidget* parent) {
  auto* box = new QComboBox(parent);
  QPointer<QComboBox> guard(box);
  auto update = [guard, &drives] {
    if (!guard) return;
    QSignalBlocker block(guard.data());
    guard->clear();
    for (const auto& entry : drives.entries()) guard->addItem(QString::fromStdString(entry));
    guard->setCurrentIndex(drives.selectedIndex());
  };
  update();
  drives.addListener(update);
  QObject::connect(box, &QComboBox::activated, box,
                   [&drives](int index) { drives.selectEntry(index); });
  return box;
}

// A directory list: the path above the subdirectories; a double click enters one.
QWidget* createDirectoryList(ui::DirectoryList& directories, QWidget* parent) {
  auto* frame = new QWidget(parent);
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  auto* path = new QLabel(frame);
  path->setObjectName("path");
  path->setTextFormat(Qt::PlainText);
  QPointer<QLabel> guard(path);
  auto update = [guard, &directories] {
    if (guard) guard->setText(QString::fromStdString(directories.path()));
  };
  update();
  directories.addListener(update);
  layout->addWidget(path);
  layout->addWidget(new EntryListView(directories, directories, true, frame), 1);
  return frame;
}

}  // namespace

QWidget* createListWidget(ui::Window&, ui::Control& control, QWidget* parent) {
  if (auto* drives = dynamic_cast<ui::DriveList*>(&control))
    return createDriveList(*drives, parent);
  if (auto* directories = dynamic_cast<ui::DirectoryList*>(&control)) {
    return createDirectoryList(*directories, parent);
  }
  if (auto* entries = dynamic_cast<ui::Selectable*>(&control)) {
    return new EntryListView(control, *entries, false, parent);
  }
  return new QListView(parent);  // a list kind without an entry model: shown empty
}

}  // namespace cw::qt

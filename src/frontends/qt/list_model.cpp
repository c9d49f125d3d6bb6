#include "frontends/qt/list_model.h"

#include <QMetaObject>
#include <QPointer>

#include "ui/controls/file_lists.h"
#include "ui/controls/list_box.h"

namespace cw::qt {

EntryListModel::EntryListModel(ui::Control& control, ui::Selectable& entries, QObject* parent)
    : QAbstractListModel(parent), entries_(entries) {
  rows_ = entries_.entryCount();
  QPointer<EntryListModel> guard(this);
  control.addListener([guard] {
    if (guard) guard->scheduleSync();
  });
}

int EntryListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  // Between a change of the control and the next sync the control may hold fewer entries.
  if (index.row() >= entries_.entryCount()) return {};
  return QString::fromStdString(entries_.entryText(index.row()));
}

void EntryListModel::scheduleSync() {
  if (pending_) return;
  pending_ = true;
  QMetaObject::invokeMethod(
      this, [this] { sync(); }, Qt::QueuedConnection);
}

void EntryListModel::sync() {
  pending_ = false;
  int rows = entries_.entryCount();
  if (rows == rows_) {
    // Same length: repaint in place, which keeps the view's scroll position.
    if (rows > 0) emit dataChanged(index(0), index(rows - 1));
  } else {
    beginResetModel();
    rows_ = rows;
    endResetModel();
  }
  if (synced) synced();
}

int selectedEntry(const ui::Control& control) {
  if (auto* list = dynamic_cast<const ui::ListBox*>(&control)) return list->selectedIndex();
  if (auto* files = dynamic_cast<const ui::FileList*>(&control)) return files->selectedIndex();
  if (auto* drives = dynamic_cast<const ui::DriveList*>(&control)) return drives->selectedIndex();
  return -1;
}

}  // namespace cw::qt

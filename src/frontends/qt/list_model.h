#pragma once

#include <QAbstractListModel>
#include <functional>

namespace cw::ui {
class Control;
class Selectable;
}  // namespace cw::ui

namespace cw::qt {

// The entries of a list control (list box, file list, directory list) as a Qt model. Changes of
// the control are taken in one batch when control returns to the event loop, so adding 100,000
// items costs one reset, not one per item.
class EntryListModel : public QAbstractListModel {
 public:
  EntryListModel(ui::Control& control, ui::Selectable& entries, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Takes the control's entries now (a pending batch included).
  void sync();
  // Called after each sync, so the view can follow the control's selection.
  std::function<void()> synced;

 private:
  void scheduleSync();
  ui::Selectable& entries_;
  int rows_ = 0;
  bool pending_ = false;
};

// The selected entry of a list control, -1 when none (or the kind has no selection).
int selectedEntry(const ui::Control& control);

}  // namespace cw::qt

#include "frontends/qt/modal_window.h"

#include <QCloseEvent>
#include <QPointer>
#include <QVBoxLayout>

#include "frontends/qt/window_view.h"
#include "ui/controls/window.h"

namespace cw::qt {

ModalWindowDialog::ModalWindowDialog(ui::Window& window, TwipsScale scale, QWidget* parent)
    : QDialog(parent), window_(window) {
  setObjectName(QString::fromStdString(window.name()) + "Dialog");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new WindowView(window, scale, this);
  layout->addWidget(view_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setWindowTitle(QString::fromStdString(window.caption()));
  QPointer<ModalWindowDialog> guard(this);
  window.addListener([guard] {
    if (!guard) return;
    guard->setWindowTitle(QString::fromStdString(guard->window_.caption()));
    if (!guard->window_.isVisible() && guard->isVisible()) guard->done(QDialog::Accepted);
  });
}

void ModalWindowDialog::runUntilHidden() {
  if (!window_.isVisible()) return;
  exec();
  // The loop ended with the window still shown only when the application is quitting: close
  // it as its own close control would, and hide it at last, so the system's code goes on.
  if (window_.isVisible()) window_.closedByUser();
  if (window_.isVisible()) window_.hide();
}

void ModalWindowDialog::reject() {
  // Escape and the title bar's close control: the window decides whether it goes.
  window_.closedByUser();
  if (!window_.isVisible()) QDialog::reject();
}

void ModalWindowDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  reject();
}

}  // namespace cw::qt

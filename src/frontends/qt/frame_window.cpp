#include "frontends/qt/frame_window.h"

#include <QCloseEvent>
#include <QPointer>
#include <QVBoxLayout>

#include "frontends/qt/window_view.h"
#include "host/host.h"
#include "ui/controls/window.h"

namespace cw::qt {

FrameWindow::FrameWindow(host::HostFrame& frame, TwipsScale scale, QWidget* parent)
    : QWidget(parent, Qt::Tool), frame_(frame), scale_(scale) {
  setObjectName("HostFrame");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  QPointer<FrameWindow> guard(this);
  frame.listeners.push_back([guard] {
    if (guard) guard->follow();
  });
  follow();
}

void FrameWindow::follow() {
  if (frame_.window() != rendered_) {
    delete view_;
    view_ = nullptr;
    rendered_ = frame_.window();
    if (rendered_) {
      view_ = new WindowView(*rendered_, scale_, this);
      layout()->addWidget(view_);
      setObjectName(QString::fromStdString(rendered_->name()) + "Frame");
    }
  }
  setWindowTitle(QString::fromStdString(frame_.caption()));
  if (pos() != QPoint(frame_.left(), frame_.top())) move(frame_.left(), frame_.top());
  if (frame_.visible() != isVisible()) {
    setVisible(frame_.visible());
    if (frame_.visible()) raise();
  }
}

void FrameWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  frame_.setVisible(false);
}

}  // namespace cw::qt

#include "frontends/qt/frame_window.h"

#include <QCloseEvent>
#include <QPointer>
#include <QVBoxLayout>

#include "frontends/qt/window_view.h"
#include "hosts/standin/standin.h"
#include "ui/controls/window.h"

namespace cw::qt {

FrameWindow::FrameWindow(standin::Frame& frame, TwipsScale scale, QWidget* parent)
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
  // A frame the system never placed is placed by the host: cascaded over its main window.
  placed_ = placed_ || frame_.left() != 0 || frame_.top() != 0;
  QPoint at(frame_.left(), frame_.top());
  if (!placed_ && parentWidget()) {
    static int cascade = 0;
    if (!cascaded_) {
      cascaded_ = true;
      cascadeAt_ =
          parentWidget()->geometry().topLeft() + QPoint(60, 90) + QPoint(30, 30) * (cascade++ % 8);
    }
    at = cascadeAt_;
  }
  if (pos() != at) move(at);
  if (frame_.visible() != isVisible()) {
    setVisible(frame_.visible());
    if (frame_.visible()) {
      // The newest shown frame lies on top; screenshots stack frames by this order.
      static int shown = 0;
      setProperty("stackOrder", ++shown);
      raise();
    }
  }
}

void FrameWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  frame_.setVisible(false);
}

}  // namespace cw::qt

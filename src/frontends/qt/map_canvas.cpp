#include "frontends/qt/map_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "frontends/qt/host_calls.h"
#include "frontends/qt/map_drawing.h"

namespace cw::qt {

MapCanvas::MapCanvas(standin::Application& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName("MapCanvas");
  setCursor(Qt::OpenHandCursor);
  setMinimumSize(200, 150);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

standin::DataFrame* MapCanvas::focusFrame() const {
  if (!host_.hasDocument()) return nullptr;
  auto& doc = host_.document();
  int focus = doc.focusIndex();
  if (focus < 0 || focus >= doc.dataFrameCount()) return nullptr;
  return doc.dataFrames[static_cast<std::size_t>(focus)].get();
}

host::Envelope MapCanvas::shownExtent() const {
  const standin::DataFrame* frame = focusFrame();
  if (!frame) return {};
  return widenToAspect(frame->extent(), width(), height());
}

void MapCanvas::documentChanged() {
  fitFocusToView();
  update();
}

void MapCanvas::documentReplaced() {
  fittedFrame_ = nullptr;
  documentChanged();
}

// The view's size goes to the data frame, so the extents it is given are widened to the
// canvas's proportions. A resize keeps the centre and the scale, as a map window does.
void MapCanvas::fitFocusToView() {
  standin::DataFrame* frame = focusFrame();
  if (!frame || width() <= 0 || height() <= 0) return;
  if (frame == fittedFrame_ && size() == fittedSize_ && frame->viewWidth == width() &&
      frame->viewHeight == height()) {
    return;
  }
  host::Envelope e = frame->extent();
  // Before the canvas shows, its size is not yet the one the user sees: the extent is widened.
  if (frame == fittedFrame_ && fittedVisible_ && fittedSize_.width() > 0 && e.XMax > e.XMin) {
    double unitsPerPixel = (e.XMax - e.XMin) / fittedSize_.width();
    double cx = (e.XMin + e.XMax) / 2;
    double cy = (e.YMin + e.YMax) / 2;
    double hw = width() * unitsPerPixel / 2;
    double hh = height() * unitsPerPixel / 2;
    e = {cx - hw, cy - hh, cx + hw, cy + hh};
  } else {
    e = widenToAspect(e, width(), height());
  }
  frame->viewWidth = width();
  frame->viewHeight = height();
  frame->setExtentDirect(e);
  fittedFrame_ = frame;
  fittedSize_ = size();
  fittedVisible_ = isVisible();
}

void MapCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor("#f4f1e8"));
  standin::DataFrame* frame = focusFrame();
  if (!frame) {
    painter.drawText(rect(), Qt::AlignCenter, "The document has no data frame.");
    return;
  }
  MapTransform transform(frame->extent(), QRectF(rect().translated(offset_)));
  drawDataFrame(painter, *frame, transform);
}

void MapCanvas::resizeEvent(QResizeEvent*) {
  standin::DataFrame* frame = focusFrame();
  if (!frame) return;
  host::Envelope before = frame->extent();
  fitFocusToView();
  // The host's own change of the extent, which its observers (the status bar) follow.
  if (!(frame->extent() == before)) frame->document().changed();
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  pressAt_ = event->position().toPoint();
  offset_ = {};
  setCursor(Qt::ClosedHandCursor);
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  offset_ = event->position().toPoint() - pressAt_;
  update();
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  setCursor(Qt::OpenHandCursor);
  QPoint moved = event->position().toPoint() - pressAt_;
  offset_ = {};
  standin::DataFrame* frame = focusFrame();
  if (frame && !moved.isNull()) {
    MapTransform t(frame->extent(), QRectF(rect()));
    double dx = moved.x() / t.pixelsPerUnit();
    double dy = moved.y() / t.pixelsPerUnit();
    host::Envelope e = t.shown();
    hostCall([&] { frame->setExtent({e.XMin - dx, e.YMin + dy, e.XMax - dx, e.YMax + dy}); });
  }
  update();
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
  standin::DataFrame* frame = focusFrame();
  double steps = event->angleDelta().y() / 120.0;
  if (!frame || steps == 0) return;
  MapTransform t(frame->extent(), QRectF(rect()));
  QPointF anchor = t.toMap(event->position());
  double factor = std::pow(0.8, steps);  // a step forward shows 80% of the width
  host::Envelope e = t.shown();
  host::Envelope zoomed{
      anchor.x() + (e.XMin - anchor.x()) * factor, anchor.y() + (e.YMin - anchor.y()) * factor,
      anchor.x() + (e.XMax - anchor.x()) * factor, anchor.y() + (e.YMax - anchor.y()) * factor};
  hostCall([&] { frame->setExtent(zoomed); });
  event->accept();
}

}  // namespace cw::qt

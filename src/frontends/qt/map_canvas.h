#pragma once

#include <QWidget>

#include "hosts/standin/standin.h"

namespace cw::qt {

// The data view: the focus data frame drawn at its extent, which the canvas widens to its own
// proportions (keeping the scale when it is resized). Dragging pans, the wheel zooms about the
// pointer; both set the data frame's extent as the user's action.
class MapCanvas : public QWidget {
 public:
  explicit MapCanvas(standin::Application& host, QWidget* parent = nullptr);

  // The focus data frame; nullptr when the document has none.
  standin::DataFrame* focusFrame() const;
  // What the canvas shows.
  host::Envelope shownExtent() const;
  // Follows the document after any change of it (or after it was replaced).
  void documentChanged();
  void documentReplaced();

  QSize sizeHint() const override { return {640, 480}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void fitFocusToView();

  standin::Application& host_;
  bool dragging_ = false;
  QPoint pressAt_;
  QPoint offset_;
  const standin::DataFrame* fittedFrame_ = nullptr;
  QSize fittedSize_;
  bool fittedVisible_ = false;
};

}  // namespace cw::qt

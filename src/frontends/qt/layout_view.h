#pragma once

#include <QWidget>

#include "hosts/standin/standin.h"

namespace cw::qt {

// The layout view: the page with its elements, a map frame per data frame drawn at that frame's
// extent, legends listing the visible layers of their data frame, north arrows, scale bars and
// texts.
class LayoutView : public QWidget {
 public:
  explicit LayoutView(standin::Application& host, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  standin::Application& host_;
};

}  // namespace cw::qt

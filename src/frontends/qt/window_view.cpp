#include "frontends/qt/window_view.h"

#include <QFont>
#include <vector>

#include "frontends/qt/control_widgets.h"
#include "ui/controls/window.h"

namespace cw::qt {

QFont windowFont() {
  // The windows were laid out for MS Sans Serif 8 pt, a narrow bitmap face that Linux desktops
  // lack and that would not scale with the dpi. Liberation Sans (fonts-liberation, Arial's
  // widths) at 8 pt has its glyph height but sets wider: "Remember layer visibilities" took 131
  // px at 96 dpi where the check box leaves 129 beside its box. Set 5% tighter, every caption
  // fits at 96, 120 and 144 dpi and the face still reads as that dialog font. It is named
  // outright: a face the desktop's configuration substitutes would bring widths of its own.
  QFont font;
  font.setFamilies({"Liberation Sans", "Arial"});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8);
  font.setLetterSpacing(QFont::PercentageSpacing, 95);
  return font;
}

WindowView::WindowView(ui::Window& window, TwipsScale scale, QWidget* parent)
    : QWidget(parent), window_(window), scale_(scale) {
  const ui::WindowSpec& spec = window.spec();
  setObjectName(QString::fromStdString(spec.name));
  setFixedSize(scale.x(spec.width), scale.y(spec.height));
  setFont(windowFont());

  std::vector<QWidget*> created;
  for (const auto& control : window.controls()) {
    const ui::ControlSpec& cs = control->spec();
    QWidget* container = this;
    if (!cs.container.empty()) {
      auto it = widgets_.find(cs.container);
      if (it != widgets_.end()) container = it->second;
    }
    QWidget* widget = createControlWidget(window, *control, container);
    PixelRect r = toPixels(cs.position, scale);
    widget->setGeometry(r.left, r.top, r.width, r.height);
    widget->setObjectName(QString::fromStdString(cs.name));
    if (!cs.tooltip.empty()) widget->setToolTip(QString::fromStdString(cs.tooltip));
    widgets_.emplace(cs.name, widget);
    created.push_back(widget);
  }
  // Later siblings stack above earlier ones in Qt; raise in reverse so the first lies on top.
  for (auto it = created.rbegin(); it != created.rend(); ++it) (*it)->raise();
}

QWidget* WindowView::widgetFor(std::string_view control) const {
  auto it = widgets_.find(control);
  return it == widgets_.end() ? nullptr : it->second;
}

}  // namespace cw::qt

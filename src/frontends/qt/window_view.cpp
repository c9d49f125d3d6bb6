#include "frontends/qt/window_view.h"

#include <QFont>
#include <vector>

#include "frontends/qt/control_widgets.h"
#include "ui/controls/window.h"

namespace cw::qt {

WindowView::WindowView(ui::Window& window, TwipsScale scale, QWidget* parent)
    : QWidget(parent), window_(window), scale_(scale) {
  const ui::WindowSpec& spec = window.spec();
  setObjectName(QString::fromStdString(spec.name));
  setFixedSize(scale.x(spec.width), scale.y(spec.height));
  // The described font where the desktop has it, else faces of about its width.
  QFont font;
  font.setFamilies({QString::fromStdString(spec.font), "Microsoft Sans Serif", "Liberation Sans",
                    "Arial", "DejaVu Sans Condensed", "DejaVu Sans"});
  font.setPointSizeF(8.25);
  font.setStyleHint(QFont::SansSerif);
  setFont(font);

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

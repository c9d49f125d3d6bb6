#include "frontends/qt/layout_view.h"

#include <QPainter>
#include <QPainterPath>

#include "frontends/qt/map_drawing.h"

namespace cw::qt {

namespace {

void drawLegend(QPainter& p, const standin::LayoutElement& legend, const QRectF& r,
                double perInch) {
  p.fillRect(r, Qt::white);
  p.setPen(QPen(QColor("#555555"), 1));
  p.drawRect(r);
  QFont font = p.font();
  double line = std::max(10.0, 0.2 * perInch);
  font.setPixelSize(int(line * 0.7));
  font.setBold(true);
  p.setFont(font);
  double y = r.top() + line * 0.3;
  p.drawText(QRectF(r.left() + 6, y, r.width() - 12, line), Qt::AlignLeft | Qt::AlignVCenter,
             "Legend");
  font.setBold(false);
  p.setFont(font);
  y += line * 1.1;
  if (!legend.dataFrame) return;
  for (const standin::Layer* layer : visibleDrawingLayers(*legend.dataFrame)) {
    if (y + line > r.bottom()) break;
    QRectF box(r.left() + 8, y + line * 0.2, line * 0.9, line * 0.6);
    p.fillRect(box, layerColor(*layer));
    p.drawRect(box);
    p.drawText(QRectF(box.right() + 6, y, r.right() - box.right() - 10, line),
               Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(layer->name()));
    y += line;
  }
}

void drawNorthArrow(QPainter& p, const QRectF& r) {
  double s = std::min(r.width(), r.height());
  QPointF c = r.center();
  QPainterPath arrow;
  arrow.moveTo(c.x(), c.y() - s * 0.35);
  arrow.lineTo(c.x() + s * 0.18, c.y() + s * 0.3);
  arrow.lineTo(c.x(), c.y() + s * 0.15);
  arrow.lineTo(c.x() - s * 0.18, c.y() + s * 0.3);
  arrow.closeSubpath();
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::black);
  p.drawPath(arrow);
  QFont font = p.font();
  font.setPixelSize(std::max(8, int(s * 0.22)));
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(r.left(), r.top(), r.width(), s * 0.2), Qt::AlignCenter, "N");
}

void drawScaleBar(QPainter& p, const QRectF& r) {
  QRectF bar(r.left(), r.center().y() - r.height() * 0.15, r.width(), r.height() * 0.3);
  for (int i = 0; i < 4; ++i) {
    QRectF part(bar.left() + bar.width() * i / 4, bar.top(), bar.width() / 4, bar.height());
    p.fillRect(part, i % 2 ? Qt::white : Qt::black);
  }
  p.setPen(Qt::black);
  p.setBrush(Qt::NoBrush);
  p.drawRect(bar);
}

}  // namespace

LayoutView::LayoutView(standin::Application& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName("LayoutView");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LayoutView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor("#9a9a9a"));
  if (!host_.hasDocument() || !host_.document().layout) return;
  standin::PageLayout& layout = *host_.document().layout;
  // The shown part of the page, fitted into the view with a margin.
  MapTransform page(layout.extent(), QRectF(rect()).adjusted(16, 16, -16, -16));
  auto toRect = [&](const host::Envelope& e) {
    return QRectF(page.toPixel(e.XMin, e.YMax), page.toPixel(e.XMax, e.YMin)).normalized();
  };
  p.setRenderHint(QPainter::Antialiasing);
  QRectF sheet = toRect(layout.page);
  p.fillRect(sheet.translated(4, 4), QColor("#555555"));
  p.fillRect(sheet, Qt::white);
  double perInch = page.pixelsPerUnit();
  for (const auto& element : layout.elements) {
    QRectF r = toRect(element->pageBounds);
    switch (element->kind) {
      case standin::LayoutElement::Kind::kMapFrame:
        p.fillRect(r, QColor("#f4f1e8"));
        if (element->dataFrame)
          drawDataFrame(p, *element->dataFrame, MapTransform(element->dataFrame->extent(), r));
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        break;
      case standin::LayoutElement::Kind::kLegend:
        drawLegend(p, *element, r, perInch);
        break;
      case standin::LayoutElement::Kind::kNorthArrow:
        drawNorthArrow(p, r);
        break;
      case standin::LayoutElement::Kind::kScaleBar:
        drawScaleBar(p, r);
        break;
      case standin::LayoutElement::Kind::kText: {
        QFont font = p.font();
        font.setPixelSize(std::max(8, int(r.height() * 0.6)));
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::fromStdString(element->text));
        break;
      }
    }
  }
}

}  // namespace cw::qt

#include "frontends/qt/map_drawing.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <map>

namespace cw::qt {

namespace {

const char* const kPalette[] = {"#4e79a7", "#f28e2b", "#e15759", "#76b7b2",
                                "#59a14f", "#edc948", "#b07aa1", "#9c755f"};

QPolygonF polyline(const std::vector<std::pair<double, double>>& path, const MapTransform& t) {
  QPolygonF out;
  out.reserve(static_cast<qsizetype>(path.size()));
  for (const auto& [x, y] : path) out << t.toPixel(x, y);
  return out;
}

void drawPoints(QPainter& p, const standin::Feature& feature, const QColor& colour,
                const MapTransform& t) {
  p.setPen(QPen(colour.darker(160), 1));
  p.setBrush(colour);
  for (const auto& path : feature.geometry.paths) {
    for (const auto& [x, y] : path) {
      QPointF at = t.toPixel(x, y);
      p.drawEllipse(at, 4.5, 4.5);
      if (!feature.label.empty()) {
        p.setPen(QColor("#333333"));
        p.drawText(at + QPointF(7, 4), QString::fromStdString(feature.label));
        p.setPen(QPen(colour.darker(160), 1));
      }
    }
  }
}

void drawLines(QPainter& p, const standin::Feature& feature, const QColor& colour,
               const MapTransform& t) {
  p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  for (const auto& path : feature.geometry.paths) p.drawPolyline(polyline(path, t));
}

void drawPolygons(QPainter& p, const standin::Feature& feature, const QColor& colour,
                  const MapTransform& t) {
  // Rings of one part form one path; holes cut out by the odd-even rule.
  std::map<int, QPainterPath> parts;
  const auto& g = feature.geometry;
  for (std::size_t i = 0; i < g.paths.size(); ++i) {
    int part = i < g.parts.size() ? g.parts[i] : 0;
    QPainterPath& path = parts[part];
    path.setFillRule(Qt::OddEvenFill);
    QPolygonF ring = polyline(g.paths[i], t);
    if (!ring.isEmpty()) ring << ring.first();
    path.addPolygon(ring);
  }
  QColor fill = colour;
  fill.setAlpha(150);
  p.setPen(QPen(colour.darker(140), 1.2));
  p.setBrush(fill);
  for (const auto& [part, path] : parts) p.drawPath(path);
}

void drawLayer(QPainter& p, const standin::Layer& layer, const MapTransform& t) {
  if (!layer.visible()) return;
  if (layer.kind() == standin::LayerKind::kGroup) {
    for (int i = layer.memberCount() - 1; i >= 0; --i) {
      drawLayer(p, *layer.members[static_cast<std::size_t>(i)], t);
    }
    return;
  }
  QColor colour = layerColor(layer);
  if (layer.kind() == standin::LayerKind::kRaster && layer.coverage) {
    const auto& c = *layer.coverage;
    QRectF area(t.toPixel(c.XMin, c.YMax), t.toPixel(c.XMax, c.YMin));
    QLinearGradient shade(area.topLeft(), area.bottomRight());
    QColor light = colour.lighter(150);
    light.setAlpha(110);
    QColor dark = colour;
    dark.setAlpha(110);
    shade.setColorAt(0, light);
    shade.setColorAt(1, dark);
    p.fillRect(area, shade);
  }
  using Type = standin::Geometry::Type;
  for (const auto& feature : layer.features) {
    switch (feature.geometry.type) {
      case Type::kPoint:
      case Type::kMultiPoint:
        drawPoints(p, feature, colour, t);
        break;
      case Type::kLineString:
      case Type::kMultiLineString:
        drawLines(p, feature, colour, t);
        break;
      case Type::kPolygon:
      case Type::kMultiPolygon:
        drawPolygons(p, feature, colour, t);
        break;
    }
  }
}

void collectVisible(const standin::Layer& layer, std::vector<const standin::Layer*>& out) {
  if (!layer.visible()) return;
  if (layer.kind() == standin::LayerKind::kGroup) {
    for (const auto& member : layer.members) collectVisible(*member, out);
  } else if (layer.kind() != standin::LayerKind::kOther) {
    out.push_back(&layer);
  }
}

}  // namespace

host::Envelope widenToAspect(const host::Envelope& e, double width, double height) {
  double w = e.XMax - e.XMin;
  double h = e.YMax - e.YMin;
  if (width <= 0 || height <= 0 || !(w > 0 || h > 0)) return e;
  double aspect = width / height;
  double cx = e.XMin + w / 2;
  double cy = e.YMin + h / 2;
  if (w < h * aspect) {
    w = h * aspect;
  } else {
    h = w / aspect;
  }
  return {cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2};
}

MapTransform::MapTransform(const host::Envelope& extent, const QRectF& target)
    : shown_(widenToAspect(extent, target.width(), target.height())), target_(target) {
  double w = shown_.XMax - shown_.XMin;
  scale_ = w > 0 ? target.width() / w : 1;
}

QPointF MapTransform::toPixel(double x, double y) const {
  return {target_.left() + (x - shown_.XMin) * scale_, target_.top() + (shown_.YMax - y) * scale_};
}

QPointF MapTransform::toMap(const QPointF& pixel) const {
  return {shown_.XMin + (pixel.x() - target_.left()) / scale_,
          shown_.YMax - (pixel.y() - target_.top()) / scale_};
}

QColor layerColor(const standin::Layer& layer) {
  QColor own(QString::fromStdString(layer.color));
  if (!layer.color.empty() && own.isValid()) return own;
  std::size_t sum = 0;
  for (unsigned char c : layer.name()) sum = sum * 31 + c;
  return QColor(kPalette[sum % std::size(kPalette)]);
}

void drawDataFrame(QPainter& painter, standin::DataFrame& frame, const MapTransform& transform) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QFont labels = painter.font();
  labels.setPixelSize(11);
  labels.setBold(false);
  painter.setFont(labels);
  QPointF a = transform.toPixel(transform.shown().XMin, transform.shown().YMax);
  QPointF b = transform.toPixel(transform.shown().XMax, transform.shown().YMin);
  painter.setClipRect(QRectF(a, b));
  for (int i = frame.layerCount() - 1; i >= 0; --i) {
    drawLayer(painter, *frame.layers[static_cast<std::size_t>(i)], transform);
  }
  painter.restore();
}

std::vector<const standin::Layer*> visibleDrawingLayers(const standin::DataFrame& frame) {
  std::vector<const standin::Layer*> out;
  for (const auto& layer : frame.layers) collectVisible(*layer, out);
  return out;
}

}  // namespace cw::qt

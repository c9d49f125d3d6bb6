#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <vector>

#include "hosts/standin/standin.h"

class QPainter;

namespace cw::qt {

// Map units to pixels for an extent shown in a rectangle: one scale for both axes, the extent
// widened to the rectangle's proportions around its centre, north up.
class MapTransform {
 public:
  MapTransform(const host::Envelope& extent, const QRectF& target);
  QPointF toPixel(double x, double y) const;
  QPointF toMap(const QPointF& pixel) const;
  // The extent the rectangle shows.
  const host::Envelope& shown() const { return shown_; }
  double pixelsPerUnit() const { return scale_; }

 private:
  host::Envelope shown_;
  QRectF target_;
  double scale_ = 1;
};

// The extent widened to the proportions width : height around its centre.
host::Envelope widenToAspect(const host::Envelope& extent, double width, double height);

// The colour of a layer: its own, or one of a fixed palette chosen by its name.
QColor layerColor(const standin::Layer& layer);

// Draws the visible layers of a data frame (group members when the group is visible), the
// bottom layer of the table of contents first, clipped to the transform's rectangle.
void drawDataFrame(QPainter& painter, standin::DataFrame& frame, const MapTransform& transform);

// The feature and raster layers that draw, in table-of-contents order (for legends).
std::vector<const standin::Layer*> visibleDrawingLayers(const standin::DataFrame& frame);

}  // namespace cw::qt

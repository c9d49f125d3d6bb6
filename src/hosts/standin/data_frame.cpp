#include "hosts/standin/data_frame.h"

#include <algorithm>
#include <cmath>

#include "base/failure.h"
#include "hosts/standin/document.h"
#include "hosts/standin/text_forms.h"

namespace cw::standin {

namespace {

std::string extentText(const host::Envelope& e) {
  return shortestText(e.XMin) + " " + shortestText(e.YMin) + " " + shortestText(e.XMax) + " " +
         shortestText(e.YMax);
}

}  // namespace

DataFrame::DataFrame(Document& document, std::string name)
    : document_(document), name_(std::move(name)) {}

std::string DataFrame::name() const {
  return name_;
}

int DataFrame::layerCount() const {
  return static_cast<int>(layers.size());
}

Layer& DataFrame::layer(int index) {
  if (index < 0 || index >= layerCount()) {
    throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
  }
  return *layers[static_cast<std::size_t>(index)];
}

int DataFrame::queryLayerCount() {
  document_.record("layerCount " + quotedName(name_));
  return layerCount();
}

host::Envelope DataFrame::extent() const {
  return extent_;
}

// A map view shows the whole request: the side that is short for the view's proportions grows
// around the centre; nothing is cut off.
host::Envelope DataFrame::fitToView(const host::Envelope& requested) const {
  if (viewWidth <= 0 || viewHeight <= 0) return requested;
  double xMin = std::min(requested.XMin, requested.XMax);
  double xMax = std::max(requested.XMin, requested.XMax);
  double yMin = std::min(requested.YMin, requested.YMax);
  double yMax = std::max(requested.YMin, requested.YMax);
  const double width = xMax - xMin;
  const double height = yMax - yMin;
  const double aspect = static_cast<double>(viewWidth) / viewHeight;
  if (!(width > 0 || height > 0)) return requested;  // a point or not a number: as given
  // A request already in proportion is shown as it is, not nudged by rounding.
  const double wanted = height * aspect;
  if (std::abs(width - wanted) <= 1e-12 * std::max(width, wanted)) return {xMin, yMin, xMax, yMax};
  if (width < wanted) {
    const double centre = xMin + width / 2;
    const double half = height * aspect / 2;
    xMin = centre - half;
    xMax = centre + half;
  } else {
    const double centre = yMin + height / 2;
    const double half = width / aspect / 2;
    yMin = centre - half;
    yMax = centre + half;
  }
  return {xMin, yMin, xMax, yMax};
}

void DataFrame::setExtent(const host::Envelope& extent) {
  document_.record("setExtent " + quotedName(name_) + " " + extentText(extent));
  extent_ = fitToView(extent);
  document_.changed();
}

void DataFrame::invalidate(host::DrawPhase phase, const void* object) {
  std::string call =
      "invalidate " + quotedName(name_) + " " + std::to_string(static_cast<int>(phase));
  if (object) call += " " + document_.layout->describe(object);
  document_.record(std::move(call));
  if (phase == host::DrawPhase::kGeography) ++document_.mapInvalidations;
  if (phase == host::DrawPhase::kGraphics) ++document_.graphicsInvalidations;
  document_.changed();
}

void DataFrame::restartBookmarks() {
  document_.record("restartBookmarks " + quotedName(name_));
  bookmarkCursor_ = 0;
}

SpatialBookmark* DataFrame::nextBookmark() {
  SpatialBookmark* next =
      bookmarkCursor_ < bookmarks.size() ? bookmarks[bookmarkCursor_].get() : nullptr;
  document_.record("nextBookmark " + quotedName(name_) + " " +
                   (next ? quotedName(next->name()) : std::string("none")));
  if (next) ++bookmarkCursor_;
  return next;
}

void SpatialBookmark::applyTo(host::DataFrame& target) {
  auto* own = dynamic_cast<DataFrame*>(&target);
  if (!own) throw Failure(err::kTypeMismatch, "Type mismatch");
  DataFrame& frame = *own;
  frame.document().record("applyBookmark " + quotedName(name_) + " " + quotedName(frame.name()));
  frame.setExtentDirect(frame.fitToView(extent_));
  frame.document().changed();
}

}  // namespace cw::standin

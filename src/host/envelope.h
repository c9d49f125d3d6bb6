#pragma once

// Plain values the host and the system hand each other.

namespace cw::host {

// A rectangle in map units (a data frame) or page units (the page layout).
struct Envelope {
  double XMin = 0;
  double YMin = 0;
  double XMax = 0;
  double YMax = 0;
  bool operator==(const Envelope&) const = default;
};

// The drawing phases a view can be told to redraw, numbered as the host numbers them.
enum class DrawPhase { kGeography = 2, kGraphics = 8 };

}  // namespace cw::host

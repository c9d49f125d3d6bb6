#include "convert/extent_check.h"

#include <cmath>

#include "convert/numbers.h"

namespace cw::convert {

bool isShowable(const host::Envelope& e) {
  // Written so that a NaN, which compares false with everything, is not showable.
  return std::isfinite(e.XMin) && std::isfinite(e.YMin) && std::isfinite(e.XMax) &&
         std::isfinite(e.YMax) && e.XMin <= e.XMax && e.YMin <= e.YMax;
}

void checkExtent(const host::Envelope& e, const std::string& file, const std::string& place) {
  for (double value : {e.XMin, e.YMin, e.XMax, e.YMax}) {
    if (!std::isfinite(value)) throw InputError(file, place, "a coordinate is not a finite number");
  }
  if (e.XMin > e.XMax) {
    throw InputError(file, place,
                     "xmin " + exactText(e.XMin) + " is greater than xmax " + exactText(e.XMax));
  }
  if (e.YMin > e.YMax) {
    throw InputError(file, place,
                     "ymin " + exactText(e.YMin) + " is greater than ymax " + exactText(e.YMax));
  }
}

void checkWgs84Box(const host::Envelope& box, const std::string& file, const std::string& place) {
  if (box.YMin < -90 || box.YMax > 90 || box.YMin > 90 || box.YMax < -90) {
    throw InputError(file, place, "a latitude lies outside -90 to 90");
  }
  if (box.XMin < -540 || box.XMax > 540 || box.XMin > 540 || box.XMax < -540) {
    throw InputError(file, place, "a longitude lies outside -540 to 540");
  }
  host::Envelope unwrapped = box;
  if (unwrapped.XMin > unwrapped.XMax) unwrapped.XMax += 360;
  checkExtent(unwrapped, file, place);
}

}  // namespace cw::convert

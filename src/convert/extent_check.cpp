#include "convert/extent_check.h"

#include <cmath>

#include "convert/numbers.h"

namespace cw::convert {

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

}  // namespace cw::convert

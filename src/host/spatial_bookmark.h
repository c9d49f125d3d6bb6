#pragma once

#include <string>

namespace cw::host {

class DataFrame;

// A bookmark the host keeps with a data frame.
class SpatialBookmark {
 public:
  virtual ~SpatialBookmark() = default;
  virtual std::string name() const = 0;
  // Shows the bookmark's extent in the data frame.
  virtual void applyTo(DataFrame& frame) = 0;
};

}  // namespace cw::host

#pragma once

#include <string>

#include "host/envelope.h"
#include "host/spatial_bookmark.h"

namespace cw::standin {

class SpatialBookmark : public host::SpatialBookmark {
 public:
  SpatialBookmark(std::string name, host::Envelope extent)
      : name_(std::move(name)), extent_(extent) {}
  std::string name() const override { return name_; }
  const host::Envelope& extent() const { return extent_; }
  // Sets the data frame's extent to the bookmark's, widened as setExtent widens; a data frame
  // of another host is a type mismatch.
  void applyTo(host::DataFrame& frame) override;

 private:
  std::string name_;
  host::Envelope extent_;
};

}  // namespace cw::standin

#pragma once

#include <string>

namespace cw::host {

// A layer of a data frame: a feature layer, a group of layers, or another kind.
class HostLayer {
 public:
  virtual ~HostLayer() = default;
  virtual std::string name() const = 0;
  virtual bool visible() const = 0;
  virtual void setVisible(bool visible) = 0;
  virtual bool isGroupLayer() const = 0;
  virtual bool isFeatureLayer() const = 0;
  // The members of a group layer; 0-based, failing out of range.
  virtual int memberCount() const = 0;
  virtual HostLayer& member(int index) = 0;
};

}  // namespace cw::host

#pragma once

#include <string>

#include "host/host_view.h"

namespace cw::host {

class HostLayer;
class SpatialBookmark;

// A map of the document, with its layers and its bookmarks.
class DataFrame : public HostView {
 public:
  virtual std::string name() const = 0;
  // The layers; 0-based, failing out of range.
  virtual int layerCount() const = 0;
  virtual HostLayer& layer(int index) = 0;
  // The layer count asked as a call of its own, as the command's data check asks it: a host
  // may log it or fail it.
  virtual int queryLayerCount() = 0;

  // The bookmark enumeration: restart, then next until it yields nullptr.
  virtual void restartBookmarks() = 0;
  virtual SpatialBookmark* nextBookmark() = 0;
};

}  // namespace cw::host

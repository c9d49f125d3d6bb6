#pragma once

namespace cw::host {

class FrameProvider;
class HostDocument;

// The running application: its document, and the frames the system's windows are shown in.
class MapHost {
 public:
  virtual ~MapHost() = default;
  // Fails (object not set) when there is none.
  virtual HostDocument& document() = 0;
  virtual bool hasDocument() const = 0;
  virtual FrameProvider& frames() = 0;
};

}  // namespace cw::host

#pragma once

#include "host/host.h"

namespace cw::com {

// The running host as the system reaches it from inside the host process. Its document and the
// frames of the system's windows come with the adapter over the host's own interfaces; until
// then a click finds no document (the error trap reports it) and no window is in a frame.
class ComApplication : public host::MapHost, private host::FrameProvider {
 public:
  host::HostDocument& document() override;
  bool hasDocument() const override { return false; }
  host::FrameProvider& frames() override { return *this; }

 private:
  host::HostFrame& createFrame() override;
  bool showsWindow(const ui::Window&) const override { return false; }
};

}  // namespace cw::com

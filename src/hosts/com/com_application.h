#pragma once

#include <memory>

#include "host/host.h"
#include "hosts/com/com_ref.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com {

class ComDocument;

// The running host as the system reaches it from inside the host's process: the host's
// application reference class, created in-process on first use and kept while the module is
// loaded, and its document, asked for afresh each time as the map document. The frames of the
// system's windows come with the module's own windows; until then none shows a window.
class ComApplication : public host::MapHost, private host::FrameProvider {
 public:
  ComApplication();
  ~ComApplication() override;

  // Fails with the host's failure code when the application or its document cannot be reached.
  host::HostDocument& document() override;
  bool hasDocument() const override;
  host::FrameProvider& frames() override { return *this; }

 private:
  host::HostFrame& createFrame() override;
  bool showsWindow(const ui::Window&) const override { return false; }

  // The application reference, made on the first call that succeeds.
  IApplication& application() const;
  ComRef<IMxDocument> currentDocument() const;

  mutable ComRef<IApplication> application_;

  // The document of the last call; the same host document keeps its object, so what an
  // earlier caller holds stays valid.
  std::unique_ptr<ComDocument> document_;
};

}  // namespace cw::com

#pragma once

#include <windows.h>

#include <memory>

#include "frontends/win32/host_frames.h"
#include "host/host.h"
#include "hosts/com/com_ref.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com {

class ComDocument;

// The running host as the system reaches it from inside the host's process: the host's
// application reference class, created in-process on first use and kept while the module is
// loaded, and its document, asked for afresh each time as the map document. The system's
// windows are shown in frames of the module's own, owned by the application's main window.
class ComApplication : public host::MapHost {
 public:
  ComApplication();
  ~ComApplication() override;

  // Fails with the host's failure code when the application or its document cannot be reached.
  host::HostDocument& document() override;
  bool hasDocument() const override;
  host::FrameProvider& frames() override { return frames_; }

  // The application's main window, owner of the system's windows; nullptr when the host does
  // not give it.
  HWND mainWindow() const;

 private:
  // The application reference, made on the first call that succeeds.
  IApplication& application() const;
  ComRef<IMxDocument> currentDocument() const;

  mutable ComRef<IApplication> application_;

  // The document of the last call; the same host document keeps its object, so what an
  // earlier caller holds stays valid.
  std::unique_ptr<ComDocument> document_;

  win32::Win32FrameProvider frames_{[this] { return mainWindow(); }};
};

}  // namespace cw::com

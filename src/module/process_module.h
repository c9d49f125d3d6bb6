#pragma once

#include "hosts/com/com_command.h"

namespace cw::module {

// The one set of process-wide state of the loaded module, over the Win32 file system and the
// host process's desktop, made on first use (the first command the host creates) and kept until
// the module is unloaded: what every command object works with. Fails (Failure,
// std::bad_alloc) when it cannot be made.
com::CommandServices processServices();

}  // namespace cw::module

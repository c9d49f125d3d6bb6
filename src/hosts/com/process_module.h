#pragma once

namespace cw {
class Module;
}

namespace cw::com {

// The one set of process-wide state of the loaded module, over the Win32 file system and the
// host process's desktop, made on first use (the first command the host creates) and kept until
// the module is unloaded. Fails (Failure, std::bad_alloc) when it cannot be made.
Module& processModule();

}  // namespace cw::com

#pragma once

#include <chrono>

namespace cw::errors {
class ErrorReport;
}
namespace cw::platform {
class FileSystem;
class FileSlots;
class WindowHost;
}  // namespace cw::platform

namespace cw::store {

// What the store works with: the disk, the process-wide file numbers, the message box for the
// store's own fixed messages (write access, duplicates) and the error report of its traps.
struct Storage {
  platform::FileSystem& fs;
  platform::FileSlots& files;
  platform::WindowHost& windows;
  const errors::ErrorReport& report;
  // How long a command waits for a list another program is changing before it gives up.
  std::chrono::milliseconds lockWait{5000};
};

}  // namespace cw::store

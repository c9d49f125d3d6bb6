#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace cw::platform::win32 {

// Streams over an open file handle (a HANDLE, passed as void*); each closes its handle. Written
// bytes collect in a buffer and reach the file when it fills, at flush() and at close(); flush()
// also has the platform write its own buffers to the disk.
std::unique_ptr<InputStream> handleInput(void* handle, std::string path);
std::unique_ptr<OutputStream> handleOutput(void* handle, std::string path);

}  // namespace cw::platform::win32

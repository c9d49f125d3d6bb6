#pragma once

#include <string>

namespace cw::platform::win32 {

// The runtime's error number for a Win32 error code: 2 file not found -> 53, 3 path not found
// -> 76, 5 access denied -> 75, 32 sharing violation -> 70, 112 disk full -> 61, ...
int runtimeNumber(unsigned long error);

// Throws cw::Failure for a failed call on `path`: the runtime's number and text with the
// platform's own message as the reason.
[[noreturn]] void failWin32(unsigned long error, const std::string& path,
                            const std::string& action);
// The same for GetLastError().
[[noreturn]] void failLastError(const std::string& path, const std::string& action);

}  // namespace cw::platform::win32

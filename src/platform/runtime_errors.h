#pragma once

#include <string>

namespace cw::platform {

// The runtime's text of an error number ("File not found"), as every file system reports it.
const char* runtimeErrorText(int number);

// Throws cw::Failure with `number` and "File not found: C:\x\y.bmk", with the reason when the
// runtime's text alone would not say it: "Permission denied: C:\a (the file is read-only)".
[[noreturn]] void failOnPath(int number, const std::string& path, const std::string& reason = {});

}  // namespace cw::platform

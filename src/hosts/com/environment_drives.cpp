#include "hosts/com/environment_drives.h"

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/wide_text.h"

namespace cw::com {

namespace {

std::optional<std::string> variable(const char* name) {
  const std::wstring wideName = platform::win32::toWide(name);
  const DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring value(size, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
  value.resize(length);
  return platform::win32::fromWide(value);
}

}  // namespace

platform::Win32FileSystem::Options environmentDrives() {
  platform::Win32FileSystem::GivenOptions given;
  if (std::optional<std::string> drives = variable(kDrivesVariable)) {
    std::size_t start = 0;
    while (start <= drives->size()) {
      std::size_t end = drives->find('|', start);
      if (end == std::string::npos) end = drives->size();
      // A mapping that is not "X=DIR" is left out, as no drive.
      if (end > start) given.addDrive(drives->substr(start, end - start));
      start = end + 1;
    }
  }
  if (std::optional<std::string> directory = variable(kCurrentDirectoryVariable)) {
    given.setCurrentDirectory(*directory);
  }
  return given.options();
}

}  // namespace cw::com

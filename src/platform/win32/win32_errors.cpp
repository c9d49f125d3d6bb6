#include "platform/win32/win32_errors.h"

#include <windows.h>

#include "base/failure.h"
#include "platform/runtime_errors.h"
#include "platform/win32/wide_text.h"

namespace cw::platform::win32 {

namespace {

// The platform's message of an error code, one line.
std::string systemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = length ? fromWide(std::wstring_view(buffer, length)) : std::string();
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() &&
         (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.')) {
    text.pop_back();
  }
  return text.empty() ? "error " + std::to_string(error) : text;
}

}  // namespace

int runtimeNumber(unsigned long error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return err::kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
      return err::kPathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_DIR_NOT_EMPTY:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_BUSY:
      return err::kPathFileAccessError;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
      return err::kPermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
      return err::kDiskFull;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return err::kFileAlreadyExists;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_HANDLE:
      return err::kBadFileNameOrNumber;
    // A drive that does not exist or holds no medium: the Linux stand-in's drive without a
    // folder reads the same.
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_UNRECOGNIZED_MEDIA:
      return err::kDeviceUnavailable;
    default:
      return err::kDeviceIoError;
  }
}

void failWin32(unsigned long error, const std::string& path, const std::string& action) {
  const int number = runtimeNumber(error);
  // The missing names read alone, as on every system; the others say what the platform said.
  if (number == err::kFileNotFound || number == err::kPathNotFound) failOnPath(number, path);
  failOnPath(number, path, action + ": " + systemMessage(static_cast<DWORD>(error)));
}

void failLastError(const std::string& path, const std::string& action) {
  failWin32(::GetLastError(), path, action);
}

}  // namespace cw::platform::win32

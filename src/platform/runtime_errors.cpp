#include "platform/runtime_errors.h"

#include "base/failure.h"

namespace cw::platform {

const char* runtimeErrorText(int number) {
  switch (number) {
    case err::kBadFileNameOrNumber:
      return "Bad file name or number";
    case err::kFileNotFound:
      return "File not found";
    case err::kDeviceIoError:
      return "Device I/O error";
    case err::kFileAlreadyExists:
      return "File already exists";
    case err::kDiskFull:
      return "Disk full";
    case err::kDeviceUnavailable:
      return "Device unavailable";
    case err::kPermissionDenied:
      return "Permission denied";
    case err::kPathFileAccessError:
      return "Path/File access error";
    case err::kPathNotFound:
      return "Path not found";
    default:
      return "Error";
  }
}

void failOnPath(int number, const std::string& path, const std::string& reason) {
  std::string text = std::string(runtimeErrorText(number)) + ": " + path;
  if (!reason.empty()) text += " (" + reason + ")";
  throw Failure(number, text);
}

}  // namespace cw::platform

#pragma once

#include <stdexcept>
#include <string>

namespace cw {

// An unexpected failure as an error trap receives it: the runtime's error number and its
// description. Platform, store and host code throw it; handlers never let it escape.
class Failure : public std::runtime_error {
 public:
  Failure(int number, std::string description)
      : std::runtime_error(description), number_(number), description_(std::move(description)) {}

  int number() const { return number_; }
  const std::string& description() const { return description_; }

 private:
  int number_;
  std::string description_;
};

// The runtime's error numbers, as the error report shows them.
namespace err {
inline constexpr int kInvalidProcedureCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kInternalError = 51;
inline constexpr int kBadFileNameOrNumber = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kBadFileMode = 54;
inline constexpr int kFileAlreadyOpen = 55;
inline constexpr int kDeviceIoError = 57;
inline constexpr int kFileAlreadyExists = 58;
inline constexpr int kDiskFull = 61;
inline constexpr int kInputPastEndOfFile = 62;
inline constexpr int kBadFileName = 64;
inline constexpr int kDeviceUnavailable = 68;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccessError = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kObjectVariableNotSet = 91;
// A failed host call carries the host's own failure code (E_FAIL here).
inline constexpr int kHostFailure = static_cast<int>(0x80004005u);
}  // namespace err

}  // namespace cw

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/product.h"

namespace cw::platform {
class FileSlots;
class WindowHost;
}  // namespace cw::platform

namespace cw::errors {

// "" for 0, otherwise "Line : " and the number.
std::string FormatErrorLine(std::int32_t line);
// The 19-line report text, lines joined by CR LF, no break after the last.
std::string ReportText(std::string_view productName, std::string_view productVersion,
                       std::string_view label, std::int32_t number, std::string_view description);

// The one report of unexpected failures: a message box (OK, no icon, default title) naming the
// product as the command's creation set it. Error traps also close their file numbers here.
class ErrorReport {
 public:
  ErrorReport(platform::WindowHost& windows, platform::FileSlots& files,
              const ProductIdentity& identity)
      : windows_(windows), files_(files), identity_(identity) {}

  void ReportError(std::string_view label, std::int32_t number, std::string_view description) const;
  platform::FileSlots& files() const { return files_; }
  const ProductIdentity& identity() const { return identity_; }

 private:
  platform::WindowHost& windows_;
  platform::FileSlots& files_;
  const ProductIdentity& identity_;
};

}  // namespace cw::errors

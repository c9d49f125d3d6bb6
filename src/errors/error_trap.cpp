#include "errors/error_trap.h"

#include "errors/error_report.h"
#include "platform/file_slots.h"

namespace cw::errors {

ErrorTrap::ErrorTrap(const ErrorReport& report, std::string_view routine, std::string_view unit,
                     std::initializer_list<int> fileNumbers)
    : report_(report), routine_(routine), unit_(unit), fileNumbers_(fileNumbers) {}

std::string ErrorTrap::label() const {
  return routine_ + " " + unit_ + " " + FormatErrorLine(line_);
}

void ErrorTrap::handle(int number, const std::string& description) {
  // The routine's own file numbers are closed first, so no file stays open after a failure.
  for (int n : fileNumbers_) {
    ignoreFailure([&] { report_.files().close(n); });
  }
  report_.ReportError(label(), number, description);
}

}  // namespace cw::errors

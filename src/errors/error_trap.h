#pragma once

#include <initializer_list>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "errors/error_report.h"

namespace cw::errors {

// The error trap a routine arms on entry. The routine marks the step it begins with at(n): the
// numbers are the line labels the report shows ("btnZoom_Click frmMain Line : 4"), fixed for
// each step, so a marker says which step it marks. run() executes the routine's body, and a
// failure of the system inside it (a cw::Failure, or running out of memory) closes the
// routine's file numbers, reports "routine unit Line : n" once, and returns normally. Whatever
// the body did before the failure stays done; a routine with a result returns what it held.
// Anything else thrown is a programming error and passes through, so tests fail loudly.
//
//   ErrorTrap trap(report, "btnZoom_Click", "frmMain", {1});
//   trap.run([&] {
//     trap.at(1); ...
//   });
class ErrorTrap {
 public:
  ErrorTrap(const ErrorReport& report, std::string_view routine, std::string_view unit,
            std::initializer_list<int> fileNumbers = {});

  void at(int line) { line_ = line; }
  int line() const { return line_; }

  // Runs the body under the trap; true when it ended without a failure.
  template <class Body>
  bool run(Body&& body) {
    try {
      body();
      return true;
    } catch (const Failure& failure) {
      handle(failure.number(), failure.description());
    } catch (const std::bad_alloc&) {
      handle(err::kOutOfMemory, "Out of memory");
    }
    return false;
  }

  // The label of the report: "routine unit Line : n" (ends in a blank when no step began).
  std::string label() const;

 private:
  void handle(int number, const std::string& description);

  const ErrorReport& report_;
  std::string routine_;
  std::string unit_;
  std::vector<int> fileNumbers_;
  int line_ = 0;
};

// Runs a statement whose failure is expected and harmless: a failure of the system (or running
// out of memory) is ignored; a programming error still passes through.
template <class Statement>
void ignoreFailure(Statement&& statement) {
  try {
    statement();
  } catch (const Failure&) {
  } catch (const std::bad_alloc&) {
  }
}

}  // namespace cw::errors

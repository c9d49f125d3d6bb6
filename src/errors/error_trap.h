#pragma once

#include <initializer_list>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "errors/failure.h"

namespace cw {
struct AppState;
}

namespace cw::errors {

// The error trap a routine arms on entry. The routine marks the step it begins with at(n);
// run() executes the routine's body, and an unexpected failure inside it closes the routine's
// file numbers, reports "routine unit Line : n" once, and returns normally. Whatever the body
// did before the failure stays done; a routine with a result returns what it held.
//
//   ErrorTrap trap(app, "btnZoom_Click", "frmMain", {1});
//   trap.run([&] {
//     trap.at(1); ...
//   });
class ErrorTrap {
 public:
  ErrorTrap(AppState& app, std::string_view routine, std::string_view unit,
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
    } catch (const std::exception& e) {
      handle(err::kInternalError, e.what());
    }
    return false;
  }

  // The label of the report: "routine unit Line : n" (ends in a blank when no step began).
  std::string label() const;

 private:
  void handle(int number, const std::string& description);

  AppState& app_;
  std::string routine_;
  std::string unit_;
  std::vector<int> fileNumbers_;
  int line_ = 0;
};

// Runs a statement whose failure is expected and harmless: a failure is ignored.
template <class Statement>
void ignoreFailure(Statement&& statement) {
  try {
    statement();
  } catch (const Failure&) {
  } catch (const std::exception&) {
  }
}

}  // namespace cw::errors

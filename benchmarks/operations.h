#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scene.h"

namespace cw::bench {

// What an operation's time is held against: the floors themselves, one read of the list, or a
// rewrite of it.
enum class OperationKind { kFloor, kReadOnly, kAppend, kRewrite };
const char* kindName(OperationKind kind);

// One measured operation, run through the system's own code path. Only `run` is timed; the
// rest prepares the selection it acts on, checks its result and puts the scene back.
struct Operation {
  std::string name;   // benchmark name
  std::string title;  // what the report calls it
  OperationKind kind;
  std::function<void(Scene&)> prepare;
  std::function<void(Scene&)> run;
  std::function<std::string(Scene&)> check;  // "" when the result is right
  std::function<void(Scene&)> restore;
};

// The floors first, then the operations, in the order they run.
const std::vector<Operation>& operations();

struct RunResult {
  double seconds = 0;     // wall-clock time of `run`
  double cpuSeconds = 0;  // this thread's processor time in `run`
  std::string fault;      // "" when it ran and its result checked out
};
// The timed part alone: a profiler can collect inside this function only
// (valgrind --tool=callgrind --toggle-collect='cw::bench::runTimed*').
[[gnu::noinline]] void runTimed(Scene& scene, const Operation& op);
// Prepares, runs, checks and restores once; `afterRun` is called right after `run`, untimed.
RunResult runOnce(Scene& scene, const Operation& op, const std::function<void()>& afterRun = {});

}  // namespace cw::bench

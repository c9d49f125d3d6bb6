#pragma once

#include <cstdint>
#include <string>

#include "operations.h"
#include "scene.h"

namespace cw::bench {

// Memory an operation needs beyond what the process already holds, in KiB.
struct PeakMemory {
  std::int64_t baselineKiB = 0;   // resident memory right before the operation
  std::int64_t peakKiB = 0;       // highest resident memory while it ran
  std::int64_t listBoxesKiB = 0;  // what the two list boxes hold afterwards (names and strings)
  std::string fault;              // "" when the operation ran and checked out
  std::int64_t addedKiB() const { return peakKiB - baselineKiB; }
};

// Runs the operation once in a child process forked from this one, so that neither earlier
// operations nor the list's generation count: the child hands its freed memory back, resets its
// high-water mark and reads it again after the operation.
PeakMemory measurePeakMemory(Scene& scene, const Operation& op);

}  // namespace cw::bench

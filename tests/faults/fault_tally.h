#pragma once

// The loop every fault walk shares: one run per fault point, the problems of the first few
// failing points shown, and one summary line per walk for the closing figures.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace cw::faults {

struct Tally {
  int injected = 0;
  int passed = 0;
  int reported = 0;    // the error report was shown
  int ownMessage = 0;  // the command's own message was shown
  int harmless = 0;    // a failure the system ignores on purpose, the command otherwise complete
};

// Runs `runOnce` for points 0 .. points-1; it returns the problems it found at that point.
inline void walkFaultPoints(
    const std::string& walkName, const std::string& mode, std::uint64_t points,
    const std::function<std::vector<std::string>(std::uint64_t, Tally&)>& runOnce) {
  Tally tally;
  int shownProblems = 0;
  for (std::uint64_t point = 0; point < points; ++point) {
    ++tally.injected;
    auto problems = runOnce(point, tally);
    if (problems.empty()) {
      ++tally.passed;
    } else if (shownProblems++ < 5) {
      for (const auto& problem : problems) ADD_FAILURE() << mode << " " << point << ": " << problem;
    }
  }
  std::cout << "fault walk: " << walkName << " " << mode << ": " << tally.injected
            << " fault points injected, " << tally.passed << " passed (" << tally.reported
            << " reported, " << tally.ownMessage << " own message, " << tally.harmless
            << " harmless)\n";
  ::testing::Test::RecordProperty(mode + "_injected", tally.injected);
  ::testing::Test::RecordProperty(mode + "_passed", tally.passed);
  EXPECT_EQ(tally.passed, tally.injected);
}

}  // namespace cw::faults

// The session runner's fault options: a failure on purpose shows in the transcript as the
// error report, like any other unexpected failure.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/session_program.h"
#include "support/temp_drives.h"

namespace cw::faults {
namespace {

int runProgram(const std::string& arguments, std::string& output) {
  testing::ProgramRun run = testing::runSession(arguments);
  output += run.out;
  return run.status;
}

TEST(SessionFaults, FailuresOnPurposeEndInTheErrorReport) {
  struct Case {
    std::string options;
    int status;
    std::string expected;
  };
  const std::vector<Case> cases{
      // The start-up writes the new list's header: the first write fails.
      {"--disk-full 0", 0, "ERROR NUMBER: 61"},
      {"--fail-op 1:write", 0, "ERROR NUMBER: 61"},
      {"--fail-op 1:nothing", 2, "usage:"},
      {"--disk-full many", 2, "usage:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    testing::TempDrives drives;
    drives.write("C:\\map.json", R"({"dataFrames": [{"name": "Main Map", "extent": [0, 0, 1, 1],
        "layers": [{"name": "Roads", "kind": "feature", "visible": true}]}]})");
    drives.write("C:\\start.session", "create\nclick\n");
    std::string output;
    int status = runProgram(drives.host("C:\\start.session").string() + " --host " +
                                drives.host("C:\\map.json").string() +
                                " --drive C=" + drives.root('C').string() + " " + c.options,
                            output);
    EXPECT_EQ(status, c.status) << output;
    EXPECT_NE(output.find(c.expected), std::string::npos) << output;
  }
}

}  // namespace
}  // namespace cw::faults

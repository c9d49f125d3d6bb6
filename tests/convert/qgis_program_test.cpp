// QGIS's own bookmark manager against the converter (tests/convert/qgis_check.py), where
// Debian's QGIS Python bindings are installed.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace cw::convert {
namespace {

constexpr int kSkipped = 77;  // the script's status where QGIS is missing

TEST(convert_QgisProgramTest, QgisReadsWhatTheConverterWritesAndTheOtherWayRound) {
  const std::string command = "QT_QPA_PLATFORM=offscreen /usr/bin/python3 '" CW_SOURCE_DIR
                              "/tests/convert/qgis_check.py' '" CW_CONVERT_BIN "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[4096];
  while (std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe))
    output.append(buffer, count);
  const int raw = ::pclose(pipe);
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  if (status == kSkipped || status == 127) GTEST_SKIP() << output;
  EXPECT_EQ(status, 0) << output;
  EXPECT_NE(output.find("QGIS and the converter agree"), std::string::npos) << output;
}

}  // namespace
}  // namespace cw::convert

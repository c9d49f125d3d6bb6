// The drives the module's file system works on when the process that loads it gives them in
// its environment, as corbelwick-host.exe hands on its --drive and --cwd.

#include <windows.h>
// After windows.h, which it needs before it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "hosts/com/environment_drives.h"

namespace cw::com {
namespace {

// Sets an environment variable for the test's duration (absent for nullptr).
class EnvironmentValue {
 public:
  EnvironmentValue(const char* name, const char* value) : name_(name) {
    ::SetEnvironmentVariableA(name, value);
  }
  ~EnvironmentValue() { ::SetEnvironmentVariableA(name_, nullptr); }

 private:
  const char* name_;
};

TEST(EnvironmentDrives, GivenDrivesReplaceTheMachinesAndTheDirectoryFollows) {
  struct Case {
    const char* what;
    const char* drives;
    const char* directory;
    std::map<char, std::string> expectedDrives;
    std::string expectedDirectory;
  };
  const std::vector<Case> cases = {
      {"two drives, the first one's root",
       "C=Z:\\tmp\\run\\C|d=Z:\\tmp\\run\\D",
       nullptr,
       {{'C', "Z:\\tmp\\run\\C"}, {'D', "Z:\\tmp\\run\\D"}},
       "C:\\"},
      {"the order given, not the letters'",
       "E=Z:\\e|C=Z:\\c",
       nullptr,
       {{'C', "Z:\\c"}, {'E', "Z:\\e"}},
       "E:\\"},
      {"a directory of its own", "C=Z:\\c", "C:\\Users\\me", {{'C', "Z:\\c"}}, "C:\\Users\\me"},
      {"what is no mapping is left out", "nonsense||C=Z:\\c", nullptr, {{'C', "Z:\\c"}}, "C:\\"},
  };
  for (const Case& c : cases) {
    EnvironmentValue drives(kDrivesVariable, c.drives);
    EnvironmentValue directory(kCurrentDirectoryVariable, c.directory);
    const platform::Win32FileSystem::Options options = environmentDrives();
    EXPECT_EQ(options.drives, c.expectedDrives) << c.what;
    EXPECT_EQ(options.currentDirectory, c.expectedDirectory) << c.what;
  }
}

TEST(EnvironmentDrives, WithoutThemTheMachinesOwn) {
  ::SetEnvironmentVariableA(kDrivesVariable, nullptr);
  ::SetEnvironmentVariableA(kCurrentDirectoryVariable, nullptr);
  const platform::Win32FileSystem::Options machine = platform::Win32FileSystem::defaultOptions();
  const platform::Win32FileSystem::Options options = environmentDrives();
  EXPECT_EQ(options.drives, machine.drives);
  EXPECT_EQ(options.currentDirectory, machine.currentDirectory);
}

}  // namespace
}  // namespace cw::com

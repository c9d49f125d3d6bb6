// The list lock between processes on Windows: another process holding it keeps this one out,
// and a process ended while it holds the lock leaves it free at once. The holder is this test
// program again, started on its one disabled test.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "support/temp_drives.h"

namespace cw::platform {
namespace {

constexpr const char* kHolderVariable = "CW_LOCK_TO_HOLD";

// Run only as the holder: takes the lock on the file its environment names, says so in a file
// beside it, and keeps the lock until it is ended.
TEST(Win32FileLockHolder, DISABLED_HoldsTheLockItsEnvironmentNames) {
  const char* path = std::getenv(kHolderVariable);
  if (!path) GTEST_SKIP() << "started without a lock to hold";
  Win32FileSystem fs(Win32FileSystem::defaultOptions());
  auto lock = fs.tryLock(path);
  std::ofstream(std::filesystem::path(win32::toWide(std::string(path) + ".ready")))
      << (lock ? "1" : "0");
  ::Sleep(INFINITE);
}

std::wstring thisProgram() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

TEST(Win32FileLock, AProcessEndedWhileHoldingTheLockLeavesItFreeAtOnce) {
  testing::TempDrives drives("C", "C");
  const std::string lockPath = "C:\\team.bmk.lock";
  const std::filesystem::path real = drives.host(lockPath);
  const std::filesystem::path ready = real.wstring() + L".ready";

  ASSERT_TRUE(::SetEnvironmentVariableW(win32::toWide(kHolderVariable).c_str(), real.c_str()));
  std::wstring line =
      L"\"" + thisProgram() +
      L"\" --gtest_also_run_disabled_tests "
      L"--gtest_filter=Win32FileLockHolder.DISABLED_HoldsTheLockItsEnvironmentNames";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION holder{};
  ASSERT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &holder));
  ::SetEnvironmentVariableW(win32::toWide(kHolderVariable).c_str(), nullptr);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!std::filesystem::exists(ready) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::string taken;
  std::ifstream(ready) >> taken;
  EXPECT_EQ(taken, "1");
  EXPECT_EQ(drives.fs().tryLock(lockPath), nullptr);  // the other process has it

  ::TerminateProcess(holder.hProcess, 9);
  ::WaitForSingleObject(holder.hProcess, INFINITE);
  ::CloseHandle(holder.hThread);
  ::CloseHandle(holder.hProcess);
  EXPECT_NE(drives.fs().tryLock(lockPath), nullptr);  // free at once
}

}  // namespace
}  // namespace cw::platform

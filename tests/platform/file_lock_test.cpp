// The list lock between processes: another process holding it keeps this one out, and a
// process that dies while it holds the lock leaves it free at once.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/posix/drive_file_system.h"
#include "support/temp_drives.h"

namespace cw::platform {
namespace {

using cw::testing::TempDrives;

TEST(FileLockTest, AProcessKilledWhileHoldingTheLockLeavesItFreeAtOnce) {
  TempDrives drives("C", "C");
  const std::string lockPath = "C:\\team.bmk.lock";
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto lock = drives.fs().tryLock(lockPath);
    const char taken = lock ? '1' : '0';
    if (::write(ready[1], &taken, 1) != 1) ::_exit(1);
    for (;;) ::pause();  // holds the lock until killed
  }
  ::close(ready[1]);
  char taken = 0;
  ASSERT_EQ(::read(ready[0], &taken, 1), 1);
  ::close(ready[0]);
  ASSERT_EQ(taken, '1');

  EXPECT_EQ(drives.fs().tryLock(lockPath), nullptr);  // another process has it

  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_NE(drives.fs().tryLock(lockPath), nullptr);
}

}  // namespace
}  // namespace cw::platform

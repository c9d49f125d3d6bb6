#include "store/list_lock.h"

#include <chrono>
#include <thread>

#include "errors/error_trap.h"
#include "platform/file_system.h"
#include "platform/window_host.h"

namespace cw::store {

namespace {

constexpr std::chrono::milliseconds kRetryEvery{10};

// One try; a lock file the disk will not make means no lock at all, not a refusal.
bool tryOnce(const Storage& storage, const std::string& lockPath,
             std::unique_ptr<platform::FileLock>& lock) {
  bool unlockable = true;
  errors::ignoreFailure([&] {
    lock = storage.fs.tryLock(lockPath);
    unlockable = false;
  });
  return unlockable || lock != nullptr;
}

}  // namespace

std::string ListLockPath(const std::string& listPath) {
  return listPath + ".lock";
}

ListLock::ListLock(const Storage& storage, const std::string& listPath) {
  const std::string lockPath = ListLockPath(listPath);
  if (tryOnce(storage, lockPath, lock_)) return;

  storage.windows.setMousePointer(platform::MousePointer::kHourglass);
  const auto deadline = std::chrono::steady_clock::now() + storage.lockWait;
  bool taken = false;
  while (!taken && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kRetryEvery);
    taken = tryOnce(storage, lockPath, lock_);
  }
  storage.windows.setMousePointer(platform::MousePointer::kDefault);
  if (taken) return;
  acquired_ = false;
  storage.windows.messageBox(std::string(kListInUseMessage) + "\r\n" + listPath,
                             platform::MessageButtons::kOk);
}

ListLock::~ListLock() = default;

}  // namespace cw::store

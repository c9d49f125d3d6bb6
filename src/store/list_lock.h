#pragma once

#include <memory>
#include <string>

#include "store/storage.h"

namespace cw::platform {
class FileLock;
}

namespace cw::store {

// Told when another program keeps a list past the wait; the list's path follows on a new line.
inline constexpr const char* kListInUseMessage =
    "This bookmark list is in use by another program.  Nothing was changed; please try again.";

// The file whose lock keeps other programs off a list: "team.bmk.lock" beside "team.bmk". It
// is never removed; a leftover one locks nothing.
std::string ListLockPath(const std::string& listPath);

// Keeps every other program (and every other window of this one) from changing a list while a
// command reads it and writes it back. Readers take no lock: a list is replaced by a rename,
// so they read the old or the new one whole. Taking it waits up to storage.lockWait with the
// hourglass; when the list is still taken then, the user is told, nothing is held and the
// command must change nothing. Where no lock file can be made (a read-only folder, a missing
// one) the command goes on without one and meets the disk's own refusal where it writes.
class ListLock {
 public:
  ListLock(const Storage& storage, const std::string& listPath);
  ~ListLock();
  ListLock(const ListLock&) = delete;
  ListLock& operator=(const ListLock&) = delete;

  // False when another program kept the list: the command stops without a change.
  bool acquired() const { return acquired_; }

 private:
  std::unique_ptr<platform::FileLock> lock_;
  bool acquired_ = true;
};

}  // namespace cw::store

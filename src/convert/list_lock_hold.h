#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace cw::convert {

// The store's lock on a list, held while the converter reads a list it appends to and puts the
// result in place, so a window of the app (or another converter) never changes it in between.
// Another program keeping the list past the store's wait is an InputError naming the list.
class ListLockHold {
 public:
  ListLockHold(platform::FileSystem& fs, const std::string& listPath, const std::string& file);
  ~ListLockHold();
  ListLockHold(const ListLockHold&) = delete;
  ListLockHold& operator=(const ListLockHold&) = delete;

 private:
  struct Held;
  std::unique_ptr<Held> held_;
};

}  // namespace cw::convert

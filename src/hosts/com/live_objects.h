#pragma once

#include <windows.h>

namespace cw::com {

// The module's objects that are alive (commands, class factories) and the locks its clients
// hold: the module may be unloaded only when both are none.
class LiveObjects {
 public:
  static void add() { ::InterlockedIncrement(&count_); }
  static void remove() { ::InterlockedDecrement(&count_); }
  static bool none() { return ::InterlockedCompareExchange(&count_, 0, 0) == 0; }

 private:
  static inline LONG count_ = 0;
};

}  // namespace cw::com

#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

namespace cw::convert_app {

// Readies the heap a conversion of `inputBytes` will grow into. A large conversion touches a
// hundred megabytes of fresh memory (the file, its parse, the bookmarks), and the kernel's
// zeroing of it was a third of the conversion's time: the heap is made eligible for transparent
// huge pages (a fault per 2 MiB rather than per 4 KiB), and the memory the conversion is
// expected to use, `peakPerInputByte` times its input, is faulted in ahead of it by another
// thread, so that the zeroing runs beside the conversion rather than in its way. Only what the
// conversion would use anyway is touched. Does nothing for small inputs or where the system
// declines.
class HeapPreparation {
 public:
  HeapPreparation(std::size_t inputBytes, std::size_t peakPerInputByte);
  ~HeapPreparation();
  HeapPreparation(const HeapPreparation&) = delete;
  HeapPreparation& operator=(const HeapPreparation&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::thread faulting_;
};

}  // namespace cw::convert_app

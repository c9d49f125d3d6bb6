#include "huge_page_heap.h"

#include <malloc.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace cw::convert_app {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this a conversion is over before huge pages could pay for themselves.
constexpr std::size_t kSmallestInput = std::size_t{4} << 20;
// Larger inputs are refused before they are read.
constexpr std::size_t kLargestInput = std::size_t{128} << 20;
// The address space reserved, as a multiple of the input: more than any conversion holds.
constexpr std::size_t kReservedPerInputByte = 16;
// The faulting thread keeps this far ahead of nothing: it simply runs from the start of the
// heap's free top, in steps small enough to stop soon when the conversion is over.
constexpr std::size_t kFaultStep = 4 * kHugePage;

}  // namespace

HeapPreparation::HeapPreparation(std::size_t inputBytes, std::size_t peakPerInputByte) {
  // Freed memory stays with the process for reuse: handing it back and asking again would have
  // the kernel zero every new page once more.
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
#ifdef __SANITIZE_ADDRESS__
  // The sanitizer's allocator keeps its own heap: the advice would reach none of it.
  inputBytes = 0;
#endif
  if (inputBytes < kSmallestInput || inputBytes > kLargestInput) {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    return;
  }
  // Every block from the one heap, so that the advised range below is where they all come from.
  mallopt(M_MMAP_MAX, 0);
  const std::size_t size = inputBytes * kReservedPerInputByte;
  void* block = std::malloc(size);
  if (!block) return;
  const auto first = (reinterpret_cast<std::uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
  const auto last = (reinterpret_cast<std::uintptr_t>(block) + size) & ~(kHugePage - 1);
  // Back to the heap's free top, where the conversion's blocks are carved from, in order.
  std::free(block);
  if (last <= first || madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE) != 0) {
    return;
  }
  const std::size_t expected = std::min(last - first, inputBytes * peakPerInputByte);
  // Faulting in memory changes no byte of it (pages already there are left as they are), so it
  // may run while the conversion writes there.
  faulting_ = std::thread([this, first, expected] {
    for (std::size_t done = 0; done < expected && !stop_; done += kFaultStep) {
      if (madvise(reinterpret_cast<void*>(first + done), std::min(kFaultStep, expected - done),
                  MADV_POPULATE_WRITE) != 0) {
        return;  // a kernel without it
      }
    }
  });
}

HeapPreparation::~HeapPreparation() {
  stop_ = true;
  if (faulting_.joinable()) faulting_.join();
}

}  // namespace cw::convert_app

#include "huge_page_heap.h"

#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace cw::convert_app {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this a conversion is over before huge pages could pay for themselves.
constexpr std::size_t kSmallestInput = std::size_t{4} << 20;
// What a conversion holds at its peak, as a multiple of its input (a list to XML, the largest).
constexpr std::size_t kPeakPerInputByte = 16;
// Larger inputs are refused before they are read.
constexpr std::size_t kLargestInput = std::size_t{128} << 20;

}  // namespace

void PrepareHeapFor(std::size_t inputBytes) {
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
  const std::size_t size = inputBytes * kPeakPerInputByte;
  void* block = std::malloc(size);
  if (!block) return;
  const auto first = (reinterpret_cast<std::uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
  const auto last = (reinterpret_cast<std::uintptr_t>(block) + size) & ~(kHugePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
  // Back to the heap's free top, where the conversion's blocks are carved from.
  std::free(block);
}

}  // namespace cw::convert_app

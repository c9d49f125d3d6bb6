#pragma once

#include <cstddef>

namespace cw::convert_app {

// Makes the heap a conversion of `inputBytes` will grow into eligible for transparent huge pages.
// A large conversion touches hundreds of megabytes of fresh memory (the file, the parsed
// document, the output); faulting it in 2 MiB at a time instead of 4 KiB spares the kernel most
// of its page faults, a third of the processor time of a conversion of 100,000 bookmarks. Only
// address space is reserved: pages are still given out as they are first touched. Does nothing
// for small inputs or where the system declines.
void PrepareHeapFor(std::size_t inputBytes);

}  // namespace cw::convert_app

#pragma once

// An input stream over bytes in memory that hands out at most `chunk` bytes per read, so line
// ends, quotes and numbers fall on the reader's refill boundaries.

#include <algorithm>
#include <cstddef>
#include <string>

#include "platform/file_system.h"

namespace cw::testing {

class ChunkedInput : public platform::InputStream {
 public:
  ChunkedInput(std::string bytes, std::size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
  std::size_t read(char* buffer, std::size_t size) override {
    std::size_t n = std::min({size, chunk_, bytes_.size() - pos_});
    bytes_.copy(buffer, n, pos_);
    pos_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::size_t chunk_;
  std::size_t pos_ = 0;
};

}  // namespace cw::testing

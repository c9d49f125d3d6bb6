#include "convert/text_place.h"

#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace cw::convert {

namespace {

// Bit i set where bytes[i] is a line feed, for 64 bytes.
std::uint64_t lineFeedsIn(const char* bytes) {
#ifdef __SSE2__
  const __m128i lineFeed = _mm_set1_epi8('\n');
  std::uint64_t bits = 0;
  for (int part = 0; part < 4; ++part) {
    __m128i sixteen;
    std::memcpy(&sixteen, bytes + 16 * part, sizeof sixteen);
    const auto found =
        static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, lineFeed)));
    bits |= std::uint64_t{found} << (16 * part);
  }
  return bits;
#else
  std::uint64_t bits = 0;
  for (int i = 0; i < 64; ++i) bits |= std::uint64_t{bytes[i] == '\n'} << i;
  return bits;
#endif
}

}  // namespace

LineIndex::LineIndex(std::string_view text) : lineFeeds_((text.size() + 63) / 64) {
  const std::size_t whole = text.size() / 64;
  for (std::size_t w = 0; w < whole; ++w) lineFeeds_[w] = lineFeedsIn(text.data() + 64 * w);
  if (whole < lineFeeds_.size()) {
    char last[64] = {};
    std::memcpy(last, text.data() + 64 * whole, text.size() - 64 * whole);
    lineFeeds_[whole] = lineFeedsIn(last);
  }
}

std::string LineIndex::lineAt(std::size_t offset) const {
  const std::size_t words = std::min(offset / 64, lineFeeds_.size());
  std::size_t line = 1;
  for (std::size_t w = 0; w < words; ++w)
    line += static_cast<std::size_t>(std::popcount(lineFeeds_[w]));
  if (words < lineFeeds_.size() && offset % 64) {
    const std::uint64_t before = lineFeeds_[words] & ((std::uint64_t{1} << (offset % 64)) - 1);
    line += static_cast<std::size_t>(std::popcount(before));
  }
  return "line " + std::to_string(line);
}

}  // namespace cw::convert

#include "convert/text_place.h"

#include <gtest/gtest.h>

#include <string>

namespace cw::convert {
namespace {

// The index of a text's line feeds says for every place what counting from the start says,
// across the 64-byte words it keeps them in and in the last word, cut short.
TEST(convert_LineIndexTest, AgreesWithCountingFromTheStart) {
  for (const std::size_t size : {0u, 1u, 63u, 64u, 65u, 200u}) {
    std::string text(size, 'x');
    for (std::size_t at : {0u, 1u, 62u, 63u, 64u, 65u, 127u, 128u, 150u, 199u}) {
      if (at < size) text[at] = '\n';
    }
    const LineIndex index(text);
    for (std::size_t offset = 0; offset <= size + 70; ++offset) {
      ASSERT_EQ(index.lineAt(offset), lineAt(text, offset)) << size << " " << offset;
    }
  }
}

}  // namespace
}  // namespace cw::convert

#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cw::convert {

// "line N" of a byte offset into a text, for messages about structured files.
inline std::string lineAt(std::string_view text, std::size_t offset) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) line += text[i] == '\n';
  return "line " + std::to_string(line);
}

// The same for many places of one text in the order they stand: each count goes on from the
// last, so a file of many records is counted through once.
class LineCounter {
 public:
  explicit LineCounter(std::string_view text) : text_(text) {}
  std::string lineAt(std::size_t offset) {
    if (offset < offset_) offset_ = 0, line_ = 1;
    for (; offset_ < offset && offset_ < text_.size(); ++offset_) line_ += text_[offset_] == '\n';
    return "line " + std::to_string(line_);
  }

 private:
  std::string_view text_;
  std::size_t offset_ = 0;
  std::size_t line_ = 1;
};

// The same for a text whose bytes change after it is indexed (an XML text parsed in place): a bit
// for each byte that is a line feed, taken before. A bit a byte takes an eighth of the text and
// one quick pass; the lines are counted only for a message.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  std::string lineAt(std::size_t offset) const;

 private:
  std::vector<std::uint64_t> lineFeeds_;  // bit i of word w: byte 64 w + i
};

}  // namespace cw::convert

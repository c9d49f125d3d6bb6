#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace cw::platform {

// A buffered byte reader over one open file: the field reader consumes it byte by byte.
class ByteReader {
 public:
  static constexpr std::size_t kBufferSize = 64 * 1024;
  explicit ByteReader(std::unique_ptr<InputStream> stream);
  // The next byte without consuming it, or -1 at the end of the file.
  int peek() { return (pos_ < size_ || refill()) ? static_cast<unsigned char>(buffer_[pos_]) : -1; }
  // The next byte, consumed, or -1 at the end of the file.
  int get() {
    int byte = peek();
    if (byte >= 0) ++pos_;
    return byte;
  }
  bool atEnd() { return peek() < 0; }
  // Buffered bytes from the current position on (refills when empty; empty at the end).
  std::string_view buffered() {
    if (pos_ >= size_) refill();
    return {buffer_.get() + pos_, size_ - pos_};
  }
  void advance(std::size_t count) { pos_ += count; }  // consumes `count` bytes of buffered()

  // Whether the next field begins a line: the field reader's position, kept with the open file
  // because each read of a file number makes a fresh reader.
  bool atLineStart() const { return lineStart_; }
  void setAtLineStart(bool value) { lineStart_ = value; }

 private:
  bool refill();
  std::unique_ptr<InputStream> stream_;
  std::unique_ptr<char[]> buffer_;
  std::size_t size_ = 0;
  std::size_t pos_ = 0;
  bool ended_ = false;
  bool lineStart_ = true;
};

// The process-wide file numbers 1, 2 and 3. A number holds at most one open file; opening an
// open number fails (file already open), so routines close a number before they open it.
class FileSlots {
 public:
  static constexpr int kCount = 3;
  explicit FileSlots(FileSystem& fs) : fs_(fs) {}

  void openForInput(int number, const std::string& path);
  void openForAppend(int number, const std::string& path);
  void close(int number);  // nothing happens when the number is not open
  void closeAll();
  bool isOpen(int number) const;

  // The reader of a number opened for input; fails (bad file mode) otherwise.
  ByteReader& reader(int number) {
    if (number >= 1 && number <= kCount && slots_[number - 1].reader) {
      return *slots_[number - 1].reader;  // every field read asks for it
    }
    return failReader(number);
  }
  // The stream of a number opened for appending; fails (bad file mode) otherwise.
  OutputStream& writer(int number);

  FileSystem& fileSystem() { return fs_; }

 private:
  struct Slot {
    std::unique_ptr<ByteReader> reader;
    std::unique_ptr<OutputStream> writer;
  };
  Slot& slot(int number);
  const Slot& slot(int number) const;
  [[noreturn]] ByteReader& failReader(int number);

  FileSystem& fs_;
  std::array<Slot, kCount> slots_;
};

}  // namespace cw::platform

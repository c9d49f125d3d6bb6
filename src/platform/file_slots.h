#pragma once

#include <array>
#include <cstdint>
#include <functional>
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
  // True while the number holds exactly this stream.
  bool holds(int number, const OutputStream& stream) const;

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

// What a routine appends to a file number is taken back unless it is committed, so a failed
// append leaves the file exactly as it was, also after a short write:
//
//   files.openForAppend(1, path);
//   AppendTransaction append(files, 1);
//   writeRecord(files, 1, record);
//   append.commit();  // durable from here on
class AppendTransaction {
 public:
  AppendTransaction(FileSlots& files, int number);  // the number must be open for appending
  ~AppendTransaction();
  AppendTransaction(const AppendTransaction&) = delete;
  AppendTransaction& operator=(const AppendTransaction&) = delete;

  // Makes what was appended durable; a failure here takes it back as well.
  void commit();

 private:
  FileSlots& files_;
  int number_;
  OutputStream& stream_;
  std::uint64_t start_;
  bool committed_ = false;
};

// Replaces a file's whole content in one step: the bytes go to a fresh file beside it, are made
// durable, and that file then takes its place. After a failure the file holds its old content
// and the fresh file is gone.
void replaceFileContent(FileSystem& fs, const std::string& path, std::string_view bytes);
// The same with the content written by `write` as it is made, so a large one is never held
// whole. Whatever `write` throws leaves the file as it was and is passed on.
void replaceFileContentWith(FileSystem& fs, const std::string& path,
                            const std::function<void(OutputStream&)>& write);

}  // namespace cw::platform

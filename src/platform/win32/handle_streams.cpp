#include "platform/win32/handle_streams.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "base/failure.h"
#include "platform/runtime_errors.h"
#include "platform/win32/win32_errors.h"

namespace cw::platform::win32 {

namespace {

constexpr std::size_t kWriteBufferSize = 64 * 1024;
// One call reads or writes at most this much; a DWORD could hold more, a pipe or a share not.
constexpr std::size_t kLargestTransfer = 1 << 20;

class HandleInput : public InputStream {
 public:
  HandleInput(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  ~HandleInput() override { ::CloseHandle(handle_); }

  std::size_t read(char* buffer, std::size_t size) override {
    DWORD done = 0;
    const auto wanted = static_cast<DWORD>(std::min(size, kLargestTransfer));
    if (!::ReadFile(handle_, buffer, wanted, &done, nullptr)) {
      DWORD error = ::GetLastError();
      if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) return 0;
      failWin32(error, path_, "read");
    }
    return done;
  }

 private:
  HANDLE handle_;
  std::string path_;
};

// The stream counts the bytes that reached the file, so a failed write can be cut back exactly.
class HandleOutput : public OutputStream {
 public:
  HandleOutput(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {
    buffer_.reserve(kWriteBufferSize);
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(handle_, &size)) onDisk_ = static_cast<std::uint64_t>(size.QuadPart);
  }
  ~HandleOutput() override {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    try {
      drain();
    } catch (const Failure&) {
      // A destructor cannot report; close() is where a failed write reaches the caller.
    }
    ::CloseHandle(handle_);
  }

  void write(std::string_view bytes) override {
    if (closed()) failOnPath(err::kBadFileNameOrNumber, path_, "the file is closed");
    if (buffer_.size() + bytes.size() > kWriteBufferSize) drain();
    if (bytes.size() >= kWriteBufferSize) {
      std::size_t done = 0;
      writeAll(bytes, done);
    } else {
      buffer_.append(bytes);
    }
  }

  void flush() override {
    if (closed()) return;
    drain();
    if (!::FlushFileBuffers(handle_)) {
      DWORD error = ::GetLastError();
      // Devices and pipes hold nothing to flush.
      if (error != ERROR_INVALID_HANDLE && error != ERROR_INVALID_FUNCTION) {
        failWin32(error, path_, "flush");
      }
    }
  }

  void close() override {
    if (closed()) return;
    HANDLE handle = handle_;
    try {
      drain();
    } catch (const Failure&) {
      handle_ = INVALID_HANDLE_VALUE;
      buffer_.clear();
      ::CloseHandle(handle);
      throw;
    }
    handle_ = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(handle)) failLastError(path_, "close");
  }

  std::uint64_t size() override { return onDisk_ + buffer_.size(); }

  void truncate(std::uint64_t size) override {
    if (closed()) failOnPath(err::kBadFileNameOrNumber, path_, "the file is closed");
    if (size >= onDisk_) {
      buffer_.resize(std::min<std::uint64_t>(size - onDisk_, buffer_.size()));
      return;
    }
    buffer_.clear();
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(size);
    if (!::SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) || !::SetEndOfFile(handle_)) {
      failLastError(path_, "truncate");
    }
    onDisk_ = size;
  }

 private:
  bool closed() const { return handle_ == INVALID_HANDLE_VALUE; }

  // Writes the buffer; after a failure it holds only what did not reach the file.
  void drain() {
    std::size_t done = 0;
    try {
      writeAll(buffer_, done);
    } catch (const Failure&) {
      buffer_.erase(0, done);
      throw;
    }
    buffer_.clear();
  }

  // `done` counts the bytes that reached the file, also when a later part fails.
  void writeAll(std::string_view bytes, std::size_t& done) {
    while (done < bytes.size()) {
      DWORD written = 0;
      const auto chunk = static_cast<DWORD>(std::min(bytes.size() - done, kLargestTransfer));
      if (!::WriteFile(handle_, bytes.data() + done, chunk, &written, nullptr)) {
        failLastError(path_, "write");
      }
      if (written == 0) failOnPath(err::kDiskFull, path_, "nothing more could be written");
      done += written;
      onDisk_ += written;
    }
  }

  HANDLE handle_;
  std::string path_;
  std::string buffer_;
  std::uint64_t onDisk_ = 0;  // the file's size: its size at opening plus the bytes written
};

}  // namespace

std::unique_ptr<InputStream> handleInput(void* handle, std::string path) {
  return std::make_unique<HandleInput>(handle, std::move(path));
}

std::unique_ptr<OutputStream> handleOutput(void* handle, std::string path) {
  return std::make_unique<HandleOutput>(handle, std::move(path));
}

}  // namespace cw::platform::win32

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace cw::platform {

// The file operations a fault can strike.
enum class FileOperation {
  kOpen,  // openRead, openAppend, openNew
  kRead,
  kWrite,
  kFlush,
  kClose,
  kRename,  // replaceFile
  kDelete,
  kCreateDirectory,
  kRemoveDirectory,
  kSetAttributes,
};

std::string_view operationName(FileOperation operation);
// The runtime error number a failed operation of this kind carries.
int faultNumber(FileOperation operation);
// "write" -> kWrite; nullopt for an unknown name.
std::optional<FileOperation> operationNamed(std::string_view name);

// A FileSystem over another one that fails on purpose: the k-th file operation from arming on
// (optionally counting one kind only), or, as a full disk does, every write once a number of
// bytes has been written. A write that crosses the limit writes the bytes up to it first. The
// operations it counts are open, read, write, flush, close, rename, delete, directory creation
// and removal, and setting attributes; existence tests and listings pass through uncounted.
//
//   FaultInjectingFileSystem faults(drives);
//   faults.failOperation(3);                       // the third operation from now fails
//   faults.failOperation(1, FileOperation::kRename);
//   faults.failWritesAfter(100);                   // a disk with 100 bytes left
//   faults.disarm();
class FaultInjectingFileSystem : public FileSystem {
 public:
  explicit FaultInjectingFileSystem(FileSystem& inner);
  ~FaultInjectingFileSystem() override;

  // Fails the k-th counted operation from now on (k = 1: the next one), once.
  void failOperation(std::uint64_t k, std::optional<FileOperation> only = std::nullopt);
  // Every write fails once `bytes` more bytes have been written.
  void failWritesAfter(std::uint64_t bytes);
  // No fault armed; the counts start again from zero.
  void disarm();

  // Since arming (or disarming): counted operations, bytes written, faults that struck.
  std::uint64_t operations() const { return operations_; }
  std::uint64_t bytesWritten() const { return bytesWritten_; }
  std::uint64_t faultsFired() const { return faultsFired_; }
  // "write C:\Lists\a.bmk" for each fault that struck, in order.
  const std::vector<std::string>& faultLog() const { return faultLog_; }

  bool fileExists(const std::string& path) override;
  bool directoryExists(const std::string& path) override;
  std::unique_ptr<InputStream> openRead(const std::string& path) override;
  std::unique_ptr<OutputStream> openAppend(const std::string& path) override;
  std::unique_ptr<OutputStream> openNew(const std::string& path) override;
  void deleteFile(const std::string& path) override;
  void createDirectory(const std::string& path) override;
  void removeDirectory(const std::string& path) override;
  void replaceFile(const std::string& from, const std::string& to) override;
  // Locks are passed through unfaulted: they hold no data a fault could lose.
  std::unique_ptr<FileLock> tryLock(const std::string& path) override;
  std::vector<DirEntry> listDirectory(const std::string& path, unsigned attributeMask) override;
  unsigned attributes(const std::string& path) override;
  void setAttributes(const std::string& path, unsigned attributes) override;
  bool sameFile(const std::string& a, const std::string& b) override;
  std::vector<char> drives() override;
  std::string currentDirectory() override;

 private:
  class Input;
  class Output;
  // Counts one operation and throws cw::Failure when it is the one to fail.
  void check(FileOperation operation, const std::string& path);
  // How many of `size` bytes a full disk still takes.
  std::uint64_t writableBytes(std::uint64_t size) const;
  [[noreturn]] void fire(FileOperation operation, const std::string& path);

  FileSystem& inner_;
  std::optional<std::uint64_t> failAt_;
  std::optional<FileOperation> only_;
  std::optional<std::uint64_t> diskLimit_;
  std::uint64_t operations_ = 0;
  std::uint64_t kindOperations_ = 0;
  std::uint64_t bytesWritten_ = 0;
  std::uint64_t faultsFired_ = 0;
  std::vector<std::string> faultLog_;
};

}  // namespace cw::platform

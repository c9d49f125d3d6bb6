#include "platform/testing/fault_injection.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/failure.h"

namespace cw::platform {

namespace {

struct OperationInfo {
  FileOperation operation;
  std::string_view name;
  int number;
  std::string_view text;
};

constexpr std::array<OperationInfo, 10> kOperations{{
    {FileOperation::kOpen, "open", err::kPermissionDenied, "Permission denied"},
    {FileOperation::kRead, "read", err::kDeviceIoError, "Device I/O error"},
    {FileOperation::kWrite, "write", err::kDiskFull, "Disk full"},
    {FileOperation::kFlush, "flush", err::kDeviceIoError, "Device I/O error"},
    {FileOperation::kClose, "close", err::kDeviceIoError, "Device I/O error"},
    {FileOperation::kRename, "rename", err::kPermissionDenied, "Permission denied"},
    {FileOperation::kDelete, "delete", err::kPermissionDenied, "Permission denied"},
    {FileOperation::kCreateDirectory, "mkdir", err::kPathFileAccessError, "Path/File access error"},
    {FileOperation::kRemoveDirectory, "rmdir", err::kPathFileAccessError, "Path/File access error"},
    {FileOperation::kSetAttributes, "attrib", err::kPermissionDenied, "Permission denied"},
}};

const OperationInfo& infoOf(FileOperation operation) {
  return kOperations[static_cast<std::size_t>(operation)];
}

}  // namespace

std::string_view operationName(FileOperation operation) {
  return infoOf(operation).name;
}

int faultNumber(FileOperation operation) {
  return infoOf(operation).number;
}

std::optional<FileOperation> operationNamed(std::string_view name) {
  for (const auto& info : kOperations) {
    if (info.name == name) return info.operation;
  }
  return std::nullopt;
}

class FaultInjectingFileSystem::Input : public InputStream {
 public:
  Input(FaultInjectingFileSystem& owner, std::unique_ptr<InputStream> inner, std::string path)
      : owner_(owner), inner_(std::move(inner)), path_(std::move(path)) {}

  std::size_t read(char* buffer, std::size_t size) override {
    owner_.check(FileOperation::kRead, path_);
    return inner_->read(buffer, size);
  }

 private:
  FaultInjectingFileSystem& owner_;
  std::unique_ptr<InputStream> inner_;
  std::string path_;
};

class FaultInjectingFileSystem::Output : public OutputStream {
 public:
  Output(FaultInjectingFileSystem& owner, std::unique_ptr<OutputStream> inner, std::string path)
      : owner_(owner), inner_(std::move(inner)), path_(std::move(path)) {}

  void write(std::string_view bytes) override {
    owner_.check(FileOperation::kWrite, path_);
    // A full disk takes what fits and then fails, as a short write does.
    std::uint64_t fits = owner_.writableBytes(bytes.size());
    inner_->write(bytes.substr(0, static_cast<std::size_t>(fits)));
    owner_.bytesWritten_ += fits;
    if (fits < bytes.size()) owner_.fire(FileOperation::kWrite, path_);
  }
  void flush() override {
    owner_.check(FileOperation::kFlush, path_);
    inner_->flush();
  }
  // A close that fails still releases the file, as the platform's close does.
  void close() override {
    try {
      owner_.check(FileOperation::kClose, path_);
    } catch (const Failure&) {
      inner_->close();
      throw;
    }
    inner_->close();
  }
  std::uint64_t size() override { return inner_->size(); }
  void truncate(std::uint64_t size) override { inner_->truncate(size); }

 private:
  FaultInjectingFileSystem& owner_;
  std::unique_ptr<OutputStream> inner_;
  std::string path_;
};

FaultInjectingFileSystem::FaultInjectingFileSystem(FileSystem& inner) : inner_(inner) {}

FaultInjectingFileSystem::~FaultInjectingFileSystem() = default;

void FaultInjectingFileSystem::failOperation(std::uint64_t k, std::optional<FileOperation> only) {
  disarm();
  failAt_ = k;
  only_ = only;
}

void FaultInjectingFileSystem::failWritesAfter(std::uint64_t bytes) {
  disarm();
  diskLimit_ = bytes;
}

void FaultInjectingFileSystem::disarm() {
  failAt_.reset();
  only_.reset();
  diskLimit_.reset();
  operations_ = 0;
  kindOperations_ = 0;
  bytesWritten_ = 0;
  faultsFired_ = 0;
  faultLog_.clear();
}

void FaultInjectingFileSystem::check(FileOperation operation, const std::string& path) {
  ++operations_;
  if (!failAt_) return;
  if (only_ && *only_ != operation) return;
  if (++kindOperations_ != *failAt_) return;
  failAt_.reset();  // one fault per arming
  fire(operation, path);
}

std::uint64_t FaultInjectingFileSystem::writableBytes(std::uint64_t size) const {
  if (!diskLimit_) return size;
  std::uint64_t left = *diskLimit_ > bytesWritten_ ? *diskLimit_ - bytesWritten_ : 0;
  return std::min(size, left);
}

void FaultInjectingFileSystem::fire(FileOperation operation, const std::string& path) {
  ++faultsFired_;
  faultLog_.push_back(std::string(operationName(operation)) + " " + path);
  throw Failure(faultNumber(operation), std::string(infoOf(operation).text) + ": " + path);
}

bool FaultInjectingFileSystem::fileExists(const std::string& path) {
  return inner_.fileExists(path);
}

bool FaultInjectingFileSystem::directoryExists(const std::string& path) {
  return inner_.directoryExists(path);
}

std::unique_ptr<InputStream> FaultInjectingFileSystem::openRead(const std::string& path) {
  check(FileOperation::kOpen, path);
  return std::make_unique<Input>(*this, inner_.openRead(path), path);
}

std::unique_ptr<OutputStream> FaultInjectingFileSystem::openAppend(const std::string& path) {
  check(FileOperation::kOpen, path);
  return std::make_unique<Output>(*this, inner_.openAppend(path), path);
}

std::unique_ptr<OutputStream> FaultInjectingFileSystem::openNew(const std::string& path) {
  check(FileOperation::kOpen, path);
  return std::make_unique<Output>(*this, inner_.openNew(path), path);
}

void FaultInjectingFileSystem::deleteFile(const std::string& path) {
  check(FileOperation::kDelete, path);
  inner_.deleteFile(path);
}

void FaultInjectingFileSystem::createDirectory(const std::string& path) {
  check(FileOperation::kCreateDirectory, path);
  inner_.createDirectory(path);
}

void FaultInjectingFileSystem::removeDirectory(const std::string& path) {
  check(FileOperation::kRemoveDirectory, path);
  inner_.removeDirectory(path);
}

void FaultInjectingFileSystem::replaceFile(const std::string& from, const std::string& to) {
  check(FileOperation::kRename, to);
  inner_.replaceFile(from, to);
}

std::unique_ptr<FileLock> FaultInjectingFileSystem::tryLock(const std::string& path) {
  return inner_.tryLock(path);
}

std::vector<DirEntry> FaultInjectingFileSystem::listDirectory(const std::string& path,
                                                              unsigned attributeMask) {
  return inner_.listDirectory(path, attributeMask);
}

unsigned FaultInjectingFileSystem::attributes(const std::string& path) {
  return inner_.attributes(path);
}

void FaultInjectingFileSystem::setAttributes(const std::string& path, unsigned attributes) {
  check(FileOperation::kSetAttributes, path);
  inner_.setAttributes(path, attributes);
}

bool FaultInjectingFileSystem::sameFile(const std::string& a, const std::string& b) {
  return inner_.sameFile(a, b);
}

std::vector<char> FaultInjectingFileSystem::drives() {
  return inner_.drives();
}

std::string FaultInjectingFileSystem::currentDirectory() {
  return inner_.currentDirectory();
}

}  // namespace cw::platform

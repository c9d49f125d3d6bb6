#pragma once

// A FileSystem that passes every call to another one, and fails chosen operations on purpose:
//
//   cw::testing::FailingFileSystem fs(drives.fs());
//   fs.failReplace = true;        // replaceFile fails before anything changes
//   fs.failWriteAfter = 1;        // the second write to any stream fails
//   fs.failFlush = true;          // flushing a stream fails

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/failure.h"
#include "platform/file_system.h"

namespace cw::testing {

class FailingFileSystem : public platform::FileSystem {
 public:
  explicit FailingFileSystem(platform::FileSystem& inner) : inner_(inner) {}

  bool failReplace = false;
  int failWriteAfter = -1;  // writes that succeed before every later one fails; -1 never
  bool failFlush = false;
  std::vector<std::string> replaced;  // "from -> to" of each successful replace

  bool fileExists(const std::string& path) override { return inner_.fileExists(path); }
  bool directoryExists(const std::string& path) override { return inner_.directoryExists(path); }
  std::unique_ptr<platform::InputStream> openRead(const std::string& path) override {
    return inner_.openRead(path);
  }
  std::unique_ptr<platform::OutputStream> openAppend(const std::string& path) override {
    return std::make_unique<Output>(*this, inner_.openAppend(path));
  }
  std::unique_ptr<platform::OutputStream> openNew(const std::string& path) override {
    return std::make_unique<Output>(*this, inner_.openNew(path));
  }
  void deleteFile(const std::string& path) override { inner_.deleteFile(path); }
  void createDirectory(const std::string& path) override { inner_.createDirectory(path); }
  void removeDirectory(const std::string& path) override { inner_.removeDirectory(path); }
  std::unique_ptr<platform::FileLock> tryLock(const std::string& path) override {
    return inner_.tryLock(path);
  }
  void replaceFile(const std::string& from, const std::string& to) override {
    if (failReplace) throw Failure(err::kPermissionDenied, "Permission denied");
    inner_.replaceFile(from, to);
    replaced.push_back(from + " -> " + to);
  }
  std::vector<platform::DirEntry> listDirectory(const std::string& path,
                                                unsigned attributeMask) override {
    return inner_.listDirectory(path, attributeMask);
  }
  unsigned attributes(const std::string& path) override { return inner_.attributes(path); }
  void setAttributes(const std::string& path, unsigned attributes) override {
    inner_.setAttributes(path, attributes);
  }
  bool sameFile(const std::string& a, const std::string& b) override {
    return inner_.sameFile(a, b);
  }
  std::vector<char> drives() override { return inner_.drives(); }
  std::string currentDirectory() override { return inner_.currentDirectory(); }

 private:
  class Output : public platform::OutputStream {
   public:
    Output(FailingFileSystem& owner, std::unique_ptr<platform::OutputStream> inner)
        : owner_(owner), inner_(std::move(inner)) {}
    void write(std::string_view bytes) override {
      if (owner_.failWriteAfter == 0) throw Failure(err::kDiskFull, "Disk full");
      if (owner_.failWriteAfter > 0) --owner_.failWriteAfter;
      inner_->write(bytes);
    }
    void flush() override {
      if (owner_.failFlush) throw Failure(err::kDeviceIoError, "Device I/O error");
      inner_->flush();
    }
    void close() override { inner_->close(); }
    std::uint64_t size() override { return inner_->size(); }
    void truncate(std::uint64_t size) override { inner_->truncate(size); }

   private:
    FailingFileSystem& owner_;
    std::unique_ptr<platform::OutputStream> inner_;
  };

  platform::FileSystem& inner_;
};

}  // namespace cw::testing

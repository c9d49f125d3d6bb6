#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cw::platform {

// File attributes as the Windows platform numbers them.
enum Attribute : unsigned {
  kNormal = 0,
  kReadOnly = 1,
  kHidden = 2,
  kSystem = 4,
  kDirectory = 16,
  kArchive = 32,
  kReparsePoint = 1024,  // a link to another place; deleting a tree removes the link only
};

struct DirEntry {
  std::string name;
  unsigned attributes = kNormal;
};

// Bytes of a file opened for reading. read() returns 0 at the end; failures throw cw::Failure.
class InputStream {
 public:
  virtual ~InputStream() = default;
  virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

// Bytes of a file opened for writing. flush() makes what was written durable.
class OutputStream {
 public:
  virtual ~OutputStream() = default;
  virtual void write(std::string_view bytes) = 0;
  virtual void flush() = 0;
  virtual void close() = 0;
  // The file's size as the stream leaves it: its size at opening plus the bytes written since.
  virtual std::uint64_t size() = 0;
  // Cuts the file back to `size` bytes (at most size()): what was written after that point is
  // dropped, also when only part of it reached the disk. The stream stays open.
  virtual void truncate(std::uint64_t size) = 0;
};

// An exclusive lock on one file, held while the object lives. It belongs to the open file, so a
// process that ends, however it ends, holds it no more.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

// The one seam under every disk access of the system. Paths are in Windows form
// ("C:\Program Files\..."); "\" and "/" both separate names. Every failure throws cw::Failure
// with the runtime's error number (file not found, path not found, permission denied, ...).
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool fileExists(const std::string& path) = 0;       // a directory does not count
  virtual bool directoryExists(const std::string& path) = 0;  // a file does not count

  virtual std::unique_ptr<InputStream> openRead(const std::string& path) = 0;
  // Creates a missing file; an existing one keeps its content and is written at its end.
  virtual std::unique_ptr<OutputStream> openAppend(const std::string& path) = 0;
  // Creates the file, or empties an existing one.
  virtual std::unique_ptr<OutputStream> openNew(const std::string& path) = 0;

  virtual void deleteFile(const std::string& path) = 0;
  virtual void createDirectory(const std::string& path) = 0;  // exactly one level
  virtual void removeDirectory(const std::string& path) = 0;  // an empty directory
  // Replaces `to` by `from` in one step: `to` then holds either its old or the new content,
  // and once it returns the new content stays, power loss or not.
  virtual void replaceFile(const std::string& from, const std::string& to) = 0;
  // Takes the exclusive lock on the file at `path` (made when missing, never removed) unless
  // another holder, in this process or another, has it: then null, without waiting.
  virtual std::unique_ptr<FileLock> tryLock(const std::string& path) = 0;

  // Entries of a directory (without "." and ".."), filtered like the platform's directory
  // listing: normal files always, directories/hidden/system entries only when in the mask.
  virtual std::vector<DirEntry> listDirectory(const std::string& path, unsigned attributeMask) = 0;
  virtual unsigned attributes(const std::string& path) = 0;
  virtual void setAttributes(const std::string& path, unsigned attributes) = 0;

  // True when both paths name the same existing file on disk, however they are spelt.
  virtual bool sameFile(const std::string& a, const std::string& b) = 0;

  // The drive letters that exist, upper case, in order.
  virtual std::vector<char> drives() = 0;
  // The process's current directory in Windows form ("C:\Users\me").
  virtual std::string currentDirectory() = 0;
};

}  // namespace cw::platform

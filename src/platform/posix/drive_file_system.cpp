#include "platform/posix/drive_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <system_error>
#include <utility>

#include "base/failure.h"
#include "platform/runtime_errors.h"

namespace cw::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kWriteBufferSize = 64 * 1024;

class HostLock : public FileLock {
 public:
  explicit HostLock(int fd) : fd_(fd) {}
  ~HostLock() override { ::close(fd_); }
  HostLock(const HostLock&) = delete;
  HostLock& operator=(const HostLock&) = delete;

 private:
  int fd_;
};

[[noreturn]] void fail(int number, const std::string& path, const std::string& reason = {}) {
  failOnPath(number, path, reason);
}

// The runtime's number for a failed system call on `path`. A missing name is "file not found"
// when its directory exists and "path not found" otherwise.
[[noreturn]] void failErrno(int error, const std::string& path, const std::string& action,
                            bool directoryExists = true) {
  const std::string reason = action + ": " + std::strerror(error);
  switch (error) {
    case ENOENT:
      fail(directoryExists ? err::kFileNotFound : err::kPathNotFound, path);
    case ENOTDIR:
      fail(err::kPathNotFound, path);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      fail(err::kPermissionDenied, path, reason);
    case EISDIR:
    case ENOTEMPTY:
    case EXDEV:
    case ENAMETOOLONG:
    case ELOOP:
    case EBUSY:
      fail(err::kPathFileAccessError, path, reason);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      fail(err::kDiskFull, path, reason);
    case EEXIST:
      fail(err::kFileAlreadyExists, path);
    default:
      fail(err::kDeviceIoError, path, reason);
  }
}

// A rename is durable only once its directory is: without this, a power loss after the command
// reported success could bring the old file back. File systems that cannot sync a directory
// (EINVAL) keep their renames by other means.
void syncDirectoryOf(const fs::path& host, const std::string& path) {
  int fd = ::open(host.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) failErrno(errno, path, "open the directory to sync it");
  int result = ::fsync(fd);
  int error = errno;
  ::close(fd);
  if (result != 0 && error != EINVAL) failErrno(error, path, "sync the directory");
}

struct HostStat {
  bool exists = false;
  int error = 0;
  struct stat st {};
  bool isDirectory() const { return exists && S_ISDIR(st.st_mode); }
  bool isReadOnly() const { return exists && (st.st_mode & S_IWUSR) == 0; }
};

// stat() of a host path; a missing name is no error.
HostStat statOf(const fs::path& path, bool followLinks = true) {
  HostStat result;
  int rc = followLinks ? ::stat(path.c_str(), &result.st) : ::lstat(path.c_str(), &result.st);
  if (rc == 0) {
    result.exists = true;
  } else if (errno != ENOENT && errno != ENOTDIR && errno != ENAMETOOLONG && errno != ELOOP) {
    result.error = errno;
  }
  return result;
}

bool hostDirectoryExists(const fs::path& path) {
  return statOf(path).isDirectory();
}

// The name in `directory` that equals `name` without regard to case.
std::optional<std::string> findIgnoringCase(const fs::path& directory, const std::string& name) {
  DIR* dir = ::opendir(directory.c_str());
  if (!dir) return std::nullopt;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    std::string candidate = entry->d_name;
    if (candidate != "." && candidate != "..") names.push_back(std::move(candidate));
  }
  ::closedir(dir);
  return DriveMap::matchIgnoringCase(names, name);
}

unsigned attributesOf(const fs::path& path, const std::string& name) {
  unsigned attributes = kNormal;
  HostStat link = statOf(path, false);
  HostStat target = statOf(path, true);
  if (link.exists && S_ISLNK(link.st.st_mode)) attributes |= kReparsePoint;
  if (!target.exists) {
    attributes |= kSystem;  // a link that leads nowhere
  } else if (S_ISDIR(target.st.st_mode)) {
    attributes |= kDirectory;
  } else if (!S_ISREG(target.st.st_mode)) {
    attributes |= kSystem;  // devices, pipes, sockets
  }
  if (target.isReadOnly()) attributes |= kReadOnly;
  if (!name.empty() && name[0] == '.') attributes |= kHidden;
  return attributes;
}

class HostInput : public InputStream {
 public:
  HostInput(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~HostInput() override { ::close(fd_); }

  std::size_t read(char* buffer, std::size_t size) override {
    for (;;) {
      ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno != EINTR) failErrno(errno, path_, "read");
    }
  }

 private:
  int fd_;
  std::string path_;
};

// Written bytes collect in a buffer and reach the file when it fills, at flush() and at close().
// The stream counts the bytes that reached the file, so a failed write can be cut back exactly.
class HostOutput : public OutputStream {
 public:
  HostOutput(int fd, std::string path) : fd_(fd), path_(std::move(path)) {
    buffer_.reserve(kWriteBufferSize);
    struct stat st {};
    if (::fstat(fd_, &st) == 0) onDisk_ = static_cast<std::uint64_t>(st.st_size);
    writeBackFrom_ = onDisk_;
  }
  ~HostOutput() override {
    if (fd_ < 0) return;
    try {
      drain();
    } catch (const Failure&) {
      // A destructor cannot report; close() is where a failed write reaches the caller.
    }
    ::close(fd_);
  }

  void write(std::string_view bytes) override {
    if (fd_ < 0) fail(err::kBadFileNameOrNumber, path_, "the file is closed");
    if (buffer_.size() + bytes.size() > kWriteBufferSize) drain();
    if (bytes.size() >= kWriteBufferSize) {
      writeAll(bytes);
    } else {
      buffer_.append(bytes);
    }
  }

  void flush() override {
    if (fd_ < 0) return;
    drain();
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) failErrno(errno, path_, "fsync");
  }

  void close() override {
    if (fd_ < 0) return;
    int fd = fd_;
    try {
      drain();
    } catch (const Failure&) {
      fd_ = -1;
      buffer_.clear();
      ::close(fd);
      throw;
    }
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) failErrno(errno, path_, "close");
  }

  std::uint64_t size() override { return onDisk_ + buffer_.size(); }

  void truncate(std::uint64_t size) override {
    if (fd_ < 0) fail(err::kBadFileNameOrNumber, path_, "the file is closed");
    if (size >= onDisk_) {
      buffer_.resize(std::min<std::uint64_t>(size - onDisk_, buffer_.size()));
      return;
    }
    buffer_.clear();
    while (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
      if (errno != EINTR) failErrno(errno, path_, "truncate");
    }
    onDisk_ = size;
  }

 private:
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

  void writeAll(std::string_view bytes) {
    std::size_t done = 0;
    writeAll(bytes, done);
  }

  // `done` counts the bytes that reached the file, also when a later part fails.
  void writeAll(std::string_view bytes, std::size_t& done) {
    while (done < bytes.size()) {
      ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        failErrno(errno, path_, "write");
      }
      if (n == 0) fail(err::kDiskFull, path_, "nothing more could be written");
      done += static_cast<std::size_t>(n);
      onDisk_ += static_cast<std::uint64_t>(n);
    }
    startWriteBack();
  }

  // A large file's bytes start on their way to the disk while the rest is still being made, so
  // the flush at its end has less left to wait for. Only a hint: a failure shows at the flush.
  void startWriteBack() {
#ifdef __linux__
    constexpr std::uint64_t kWriteBackStep = 4 << 20;
    writeBackFrom_ = std::min(writeBackFrom_, onDisk_);  // after a truncation
    if (onDisk_ - writeBackFrom_ < kWriteBackStep) return;
    ::sync_file_range(fd_, static_cast<off_t>(writeBackFrom_),
                      static_cast<off_t>(onDisk_ - writeBackFrom_), SYNC_FILE_RANGE_WRITE);
    writeBackFrom_ = onDisk_;
#endif
  }

  int fd_;
  std::string path_;
  std::string buffer_;
  std::uint64_t onDisk_ = 0;  // the file's size: its size at opening plus the bytes written
  std::uint64_t writeBackFrom_ = 0;
};

std::string userDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (!home || !home[0]) {
    if (const passwd* pw = ::getpwuid(::getuid())) home = pw->pw_dir;
  }
  return std::string(home ? home : "") + "/.local/share";
}

}  // namespace

DriveFileSystem::Options DriveFileSystem::defaultOptions() {
  Options options;
  options.drives['C'] = userDataFolder() + "/corbelwick-bookmarks/drive_c";
  options.drives['Z'] = std::string(1, '/');
  std::error_code ec;
  std::string cwd = fs::current_path(ec).string();
  if (ec || cwd.empty()) cwd.assign(1, '/');
  std::replace(cwd.begin(), cwd.end(), '/', '\\');
  options.currentDirectory = std::string("Z:").append(cwd);
  return options;
}

DriveFileSystem::DriveFileSystem(Options options) : map_(options) {}

void DriveFileSystem::ensureInstalled() {
  auto c = map_.drives().find('C');
  if (c == map_.drives().end()) return;
  fs::path programFiles = fs::path(c->second) / "Program Files";
  std::error_code ec;
  fs::create_directories(programFiles, ec);
  if (ec) {
    throw Failure(ec.value() == EACCES ? err::kPermissionDenied : err::kPathNotFound,
                  "Cannot create the folder of drive C: " + programFiles.string() + " (" +
                      ec.message() + ")");
  }
}

fs::path DriveFileSystem::driveRoot(char drive, const std::string& path) const {
  fs::path root(map_.root(drive, path));
  if (!hostDirectoryExists(root)) {
    fail(err::kDeviceUnavailable, path, std::string("drive ") + drive + ": has no folder");
  }
  return root;
}

fs::path DriveFileSystem::resolve(const std::string& path) {
  WindowsPath windows = map_.parse(path);
  fs::path found = resolveNames(windows, path);
  // The host's trailing "/" lets only a directory be found, as the trailing "\" does; a drive's
  // root is a directory anyway.
  if (windows.trailingSeparator() && !windows.names().empty()) found /= "";
  return found;
}

fs::path DriveFileSystem::resolveNames(const WindowsPath& windows, const std::string& path) {
  fs::path root = driveRoot(windows.drive(), path);
  fs::path exact = root;
  for (const auto& name : windows.names()) exact /= name;
  HostStat direct = statOf(exact, false);
  if (direct.exists || direct.error) return exact;

  // Missed with the exact case: look each missing name up in its directory.
  fs::path current = root;
  for (std::size_t i = 0; i < windows.names().size(); ++i) {
    fs::path candidate = current / windows.names()[i];
    HostStat found = statOf(candidate, false);
    if (found.exists || found.error) {
      current = std::move(candidate);
      continue;
    }
    if (auto match = findIgnoringCase(current, windows.names()[i])) {
      current /= *match;
      continue;
    }
    for (std::size_t j = i; j < windows.names().size(); ++j) current /= windows.names()[j];
    break;
  }
  return current;
}

fs::path DriveFileSystem::hostPath(const std::string& path) {
  return resolve(path);
}

bool DriveFileSystem::fileExists(const std::string& path) {
  fs::path host;
  try {
    host = resolve(path);
  } catch (const Failure&) {
    return false;  // no such drive, or no name the platform could hold
  }
  HostStat found = statOf(host);
  if (found.error) failErrno(found.error, path, "stat");
  return found.exists && !S_ISDIR(found.st.st_mode);
}

bool DriveFileSystem::directoryExists(const std::string& path) {
  fs::path host;
  try {
    host = resolve(path);
  } catch (const Failure&) {
    return false;
  }
  HostStat found = statOf(host);
  if (found.error) failErrno(found.error, path, "stat");
  return found.isDirectory();
}

std::unique_ptr<InputStream> DriveFileSystem::openRead(const std::string& path) {
  fs::path host = resolve(path);
  int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    int error = errno;
    failErrno(error, path, "open", hostDirectoryExists(host.parent_path()));
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    fail(err::kPathFileAccessError, path, "a directory, not a file");
  }
  return std::make_unique<HostInput>(fd, path);
}

std::unique_ptr<OutputStream> DriveFileSystem::openWrite(const std::string& path, bool truncate) {
  fs::path host = resolve(path);
  HostStat existing = statOf(host);
  if (existing.isDirectory()) fail(err::kPathFileAccessError, path, "a directory, not a file");
  // The read-only attribute keeps a file from being written, whoever the user is.
  if (existing.exists && S_ISREG(existing.st.st_mode) && existing.isReadOnly()) {
    fail(err::kPathFileAccessError, path, "the file is read-only");
  }
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (truncate ? O_TRUNC : O_APPEND);
  int fd = ::open(host.c_str(), flags, 0666);
  if (fd < 0) {
    int error = errno;
    failErrno(error == ENOENT ? ENOTDIR : error, path, "open");
  }
  return std::make_unique<HostOutput>(fd, path);
}

std::unique_ptr<OutputStream> DriveFileSystem::openAppend(const std::string& path) {
  return openWrite(path, false);
}

std::unique_ptr<OutputStream> DriveFileSystem::openNew(const std::string& path) {
  return openWrite(path, true);
}

void DriveFileSystem::deleteFile(const std::string& path) {
  fs::path host = resolve(path);
  HostStat link = statOf(host, false);
  if (link.error) failErrno(link.error, path, "stat");
  if (!link.exists) failErrno(ENOENT, path, "delete", hostDirectoryExists(host.parent_path()));
  if (S_ISDIR(link.st.st_mode)) fail(err::kPathFileAccessError, path, "a directory, not a file");
  if (S_ISREG(link.st.st_mode) && link.isReadOnly()) {
    fail(err::kPathFileAccessError, path, "the file is read-only");
  }
  if (::unlink(host.c_str()) != 0) failErrno(errno, path, "delete");
}

void DriveFileSystem::createDirectory(const std::string& path) {
  fs::path host = resolve(path);
  if (::mkdir(host.c_str(), 0777) != 0) {
    int error = errno;
    if (error == EEXIST) fail(err::kPathFileAccessError, path, "it already exists");
    failErrno(error == ENOENT ? ENOTDIR : error, path, "create directory");
  }
}

void DriveFileSystem::removeDirectory(const std::string& path) {
  WindowsPath windows = map_.parse(path);
  if (windows.names().empty()) fail(err::kPathFileAccessError, path, "the root of a drive");
  fs::path host = resolve(path);
  HostStat link = statOf(host, false);
  if (link.error) failErrno(link.error, path, "stat");
  if (!link.exists) fail(err::kPathNotFound, path);
  if (S_ISLNK(link.st.st_mode)) {
    // A linked directory goes as a link; what it leads to stays.
    if (!hostDirectoryExists(host)) fail(err::kPathNotFound, path, "not a directory");
    if (::unlink(host.c_str()) != 0) failErrno(errno, path, "remove directory");
    return;
  }
  if (!S_ISDIR(link.st.st_mode)) fail(err::kPathNotFound, path, "not a directory");
  if (::rmdir(host.c_str()) != 0) {
    int error = errno;
    if (error == EEXIST) error = ENOTEMPTY;
    failErrno(error, path, "remove directory");
  }
}

void DriveFileSystem::replaceFile(const std::string& from, const std::string& to) {
  fs::path hostFrom = resolve(from);
  fs::path hostTo = resolve(to);
  HostStat source = statOf(hostFrom, false);
  if (source.error) failErrno(source.error, from, "stat");
  if (!source.exists)
    failErrno(ENOENT, from, "rename", hostDirectoryExists(hostFrom.parent_path()));
  if (S_ISDIR(source.st.st_mode)) fail(err::kPathFileAccessError, from, "a directory, not a file");
  HostStat target = statOf(hostTo);
  if (target.isDirectory()) fail(err::kPathFileAccessError, to, "a directory, not a file");
  if (target.exists && S_ISREG(target.st.st_mode) && target.isReadOnly()) {
    fail(err::kPathFileAccessError, to, "the file is read-only");
  }
  if (::rename(hostFrom.c_str(), hostTo.c_str()) != 0) {
    int error = errno;
    failErrno(error == ENOENT ? ENOTDIR : error, to, "replace with " + from);
  }
  syncDirectoryOf(hostTo, to);
}

std::unique_ptr<FileLock> DriveFileSystem::tryLock(const std::string& path) {
  fs::path host = resolve(path);
  if (statOf(host).isDirectory()) fail(err::kPathFileAccessError, path, "a directory, not a file");
  int fd = ::open(host.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    int error = errno;
    failErrno(error == ENOENT ? ENOTDIR : error, path, "open");
  }
  // flock belongs to the open file description: a second opening in this process is another
  // holder too, and the kernel lets go when the last descriptor closes.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK || error == EINTR) return nullptr;
    failErrno(error, path, "lock");
  }
  return std::make_unique<HostLock>(fd);
}

std::vector<DirEntry> DriveFileSystem::listDirectory(const std::string& path,
                                                     unsigned attributeMask) {
  fs::path host = resolve(path);
  HostStat found = statOf(host);
  if (found.error) failErrno(found.error, path, "list");
  if (!found.isDirectory()) fail(err::kPathNotFound, path);
  DIR* dir = ::opendir(host.c_str());
  if (!dir) failErrno(errno, path, "list");
  std::vector<DirEntry> entries;
  const unsigned special = kDirectory | kHidden | kSystem;
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    unsigned attributes = attributesOf(host / name, name);
    if ((attributes & special & ~attributeMask) != 0) continue;
    entries.push_back({std::move(name), attributes});
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
    std::string foldedA = foldCase(a.name);
    std::string foldedB = foldCase(b.name);
    return foldedA != foldedB ? foldedA < foldedB : a.name < b.name;
  });
  return entries;
}

unsigned DriveFileSystem::attributes(const std::string& path) {
  WindowsPath windows = map_.parse(path);
  fs::path host = resolve(path);
  HostStat link = statOf(host, false);
  if (link.error) failErrno(link.error, path, "attributes");
  if (!link.exists) failErrno(ENOENT, path, "attributes", hostDirectoryExists(host.parent_path()));
  return attributesOf(host, windows.names().empty() ? std::string() : windows.names().back());
}

void DriveFileSystem::setAttributes(const std::string& path, unsigned attributes) {
  fs::path host = resolve(path);
  HostStat found = statOf(host);
  if (found.error) failErrno(found.error, path, "attributes");
  if (!found.exists) failErrno(ENOENT, path, "attributes", hostDirectoryExists(host.parent_path()));
  // Hidden and system follow from the name and the kind of entry; only read-only is kept.
  mode_t mode = found.st.st_mode & 07777;
  mode = (attributes & kReadOnly) ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  if (::chmod(host.c_str(), mode) != 0) failErrno(errno, path, "set attributes");
}

bool DriveFileSystem::sameFile(const std::string& a, const std::string& b) {
  HostStat first;
  HostStat second;
  try {
    first = statOf(resolve(a));
    second = statOf(resolve(b));
  } catch (const Failure&) {
    return false;
  }
  return first.exists && second.exists && first.st.st_dev == second.st.st_dev &&
         first.st.st_ino == second.st.st_ino;
}

std::vector<char> DriveFileSystem::drives() {
  std::vector<char> letters;
  for (const auto& [letter, directory] : map_.drives()) {
    if (hostDirectoryExists(directory)) letters.push_back(letter);
  }
  return letters;
}

std::string DriveFileSystem::currentDirectory() {
  return map_.currentDirectory().text();
}

}  // namespace cw::platform

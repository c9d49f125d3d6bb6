#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "base/failure.h"
#include "platform/runtime_errors.h"
#include "platform/win32/handle_streams.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_errors.h"

namespace cw::platform {

using win32::failLastError;
using win32::failWin32;
using win32::fromWide;
using win32::toWide;

namespace {

// The attribute bits both sides number alike.
constexpr DWORD kKnownAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY |
                                   FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The errors that only say an entry is not there: a missing name or directory, a drive
// without a medium, a server that does not answer.
bool meansMissing(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
      return true;
    default:
      return false;
  }
}

std::string withSeparator(std::string base) {
  if (base.empty() || base.back() != '\\') base += '\\';
  return base;
}

// "\\?\C:\a" and "\\?\UNC\server\share\a" for "C:\a" and "\\server\share\a": the platform takes
// the path as it stands, without a length limit.
std::wstring longForm(const std::string& full) {
  if (full.size() >= 2 && full[0] == '\\' && full[1] == '\\') {
    return L"\\\\?\\UNC\\" + toWide(std::string_view(full).substr(2));
  }
  return L"\\\\?\\" + toWide(full);
}

std::string fullPathOf(const std::string& directory) {
  std::wstring wide = toWide(directory);
  DWORD length = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return directory;
  std::wstring full(length, L'\0');
  length = ::GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
  full.resize(length);
  return fromWide(full);
}

std::string processDirectory() {
  DWORD length = ::GetCurrentDirectoryW(0, nullptr);
  std::wstring directory(length, L'\0');
  length = ::GetCurrentDirectoryW(length, directory.data());
  directory.resize(length);
  return fromWide(directory);
}

// CON, PRN, AUX, NUL, COM1..9 and LPT1..9, also with an extension ("con.txt"): names of devices
// in every directory of Windows, which wine opens as the device even in the long form.
bool isDeviceName(const std::string& name) {
  std::string stem = foldCase(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
  return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

// The longest name a directory holds, in UTF-16 units.
constexpr std::size_t kLongestName = 255;

// The lock belongs to the handle: a second handle, in this process or another, is another
// holder, and closing the handle (or the process ending) lets go.
class HandleLock : public FileLock {
 public:
  explicit HandleLock(HANDLE handle) : handle_(handle) {}
  ~HandleLock() override { ::CloseHandle(handle_); }
  HandleLock(const HandleLock&) = delete;
  HandleLock& operator=(const HandleLock&) = delete;

 private:
  HANDLE handle_;
};

unsigned toAttributes(DWORD native) {
  return static_cast<unsigned>(native & kKnownAttributes);
}

}  // namespace

Win32FileSystem::Options Win32FileSystem::defaultOptions() {
  Options options;
  options.currentDirectory = processDirectory();
  return options;
}

Win32FileSystem::Win32FileSystem(const Options& options)
    : map_([&] {
        // A drive's directory counts from the process's current directory, as a program given
        // it on its command line means it.
        Options absolute = options;
        for (auto& [letter, directory] : absolute.drives) directory = fullPathOf(directory);
        return absolute;
      }()),
      mapped_(!options.drives.empty()) {}

Win32FileSystem::Native Win32FileSystem::resolve(const std::string& path) const {
  const WindowsPath windows = map_.parse(path, true);
  Native native;
  std::vector<std::string> names = windows.names();
  if (windows.network()) {
    // "\\server\share" is the root; the names after it are the path.
    const std::size_t rootNames = std::min<std::size_t>(2, names.size());
    native.base = "\\";
    for (std::size_t i = 0; i < rootNames; ++i) native.base += "\\" + names[i];
    names.erase(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(rootNames));
  } else if (mapped_) {
    native.base = map_.root(windows.drive(), path);
    DWORD rootAttributes = ::GetFileAttributesW(longForm(withSeparator(native.base)).c_str());
    if (rootAttributes == INVALID_FILE_ATTRIBUTES ||
        (rootAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      failOnPath(err::kDeviceUnavailable, path,
                 std::string("drive ") + windows.drive() + ": has no folder");
    }
  } else {
    native.base = std::string{windows.drive(), ':', '\\'};
  }
  for (const auto& name : names) {
    if (isDeviceName(name)) failOnPath(err::kBadFileNameOrNumber, path, "a device's name");
    if (toWide(name).size() > kLongestName) {
      failOnPath(err::kPathFileAccessError, path, "a name longer than 255 characters");
    }
  }
  std::string full = native.base;
  for (const auto& name : names) full = WindowsPath::join(full, name);
  if (names.empty()) full = withSeparator(full);  // a root is named with its separator
  native.path = longForm(full);
  native.names = std::move(names);
  native.isRoot = native.names.empty();
  return native;
}

std::optional<unsigned long> Win32FileSystem::nativeAttributes(const Native& native,
                                                               const std::string& path,
                                                               const char* action) const {
  DWORD found = ::GetFileAttributesW(native.path.c_str());
  if (found != INVALID_FILE_ATTRIBUTES) return found;
  DWORD error = ::GetLastError();
  if (meansMissing(error)) return std::nullopt;
  failWin32(error, path, action);
}

std::filesystem::path Win32FileSystem::hostPath(const std::string& path) {
  Native native = resolve(path);
  std::wstring found = toWide(native.base);
  bool missing = false;
  for (const auto& name : native.names) {
    std::wstring next = toWide(WindowsPath::join(fromWide(found), name));
    if (!missing) {
      WIN32_FIND_DATAW entry;
      HANDLE search = ::FindFirstFileW(longForm(fromWide(next)).c_str(), &entry);
      if (search != INVALID_HANDLE_VALUE) {
        ::FindClose(search);
        next = toWide(WindowsPath::join(fromWide(found), fromWide(entry.cFileName)));
      } else {
        missing = true;
      }
    }
    found = std::move(next);
  }
  return std::filesystem::path(found);
}

bool Win32FileSystem::fileExists(const std::string& path) {
  Native native;
  try {
    native = resolve(path);
  } catch (const Failure&) {
    return false;  // no such drive, or no name the platform could hold
  }
  auto found = nativeAttributes(native, path, "exists");
  return found && (*found & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::directoryExists(const std::string& path) {
  Native native;
  try {
    native = resolve(path);
  } catch (const Failure&) {
    return false;
  }
  auto found = nativeAttributes(native, path, "exists");
  return found && (*found & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::unique_ptr<InputStream> Win32FileSystem::openRead(const std::string& path) {
  Native native = resolve(path);
  HANDLE handle = ::CreateFileW(native.path.c_str(), GENERIC_READ, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    auto found = nativeAttributes(native, path, "open");
    if (found && (*found & FILE_ATTRIBUTE_DIRECTORY)) {
      failOnPath(err::kPathFileAccessError, path, "a directory, not a file");
    }
    failWin32(error, path, "open");
  }
  return win32::handleInput(handle, path);
}

std::unique_ptr<OutputStream> Win32FileSystem::openWrite(const std::string& path, bool truncate) {
  Native native = resolve(path);
  if (auto found = nativeAttributes(native, path, "open")) {
    if (*found & FILE_ATTRIBUTE_DIRECTORY) {
      failOnPath(err::kPathFileAccessError, path, "a directory, not a file");
    }
    if (*found & FILE_ATTRIBUTE_READONLY) {
      failOnPath(err::kPathFileAccessError, path, "the file is read-only");
    }
  }
  // Emptying an existing file keeps its attributes (TRUNCATE), where CREATE_ALWAYS would
  // refuse a hidden one.
  HANDLE handle =
      ::CreateFileW(native.path.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                    truncate ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE && truncate && ::GetLastError() == ERROR_ACCESS_DENIED) {
    handle = ::CreateFileW(native.path.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                           TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    // A name that cannot be made where its directory is missing.
    failWin32(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error, path, "open");
  }
  if (!truncate) {
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(handle, start, nullptr, FILE_END)) {
      DWORD error = ::GetLastError();
      ::CloseHandle(handle);
      failWin32(error, path, "open");
    }
  }
  return win32::handleOutput(handle, path);
}

std::unique_ptr<OutputStream> Win32FileSystem::openAppend(const std::string& path) {
  return openWrite(path, false);
}

std::unique_ptr<OutputStream> Win32FileSystem::openNew(const std::string& path) {
  return openWrite(path, true);
}

void Win32FileSystem::deleteFile(const std::string& path) {
  Native native = resolve(path);
  DWORD found = ::GetFileAttributesW(native.path.c_str());
  if (found == INVALID_FILE_ATTRIBUTES) failLastError(path, "delete");
  if (found & FILE_ATTRIBUTE_DIRECTORY) {
    failOnPath(err::kPathFileAccessError, path, "a directory, not a file");
  }
  if (found & FILE_ATTRIBUTE_READONLY) {
    failOnPath(err::kPathFileAccessError, path, "the file is read-only");
  }
  if (!::DeleteFileW(native.path.c_str())) failLastError(path, "delete");
}

void Win32FileSystem::createDirectory(const std::string& path) {
  Native native = resolve(path);
  if (!::CreateDirectoryW(native.path.c_str(), nullptr)) {
    DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
      failOnPath(err::kPathFileAccessError, path, "it already exists");
    }
    failWin32(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error, path,
              "create directory");
  }
}

void Win32FileSystem::removeDirectory(const std::string& path) {
  Native native = resolve(path);
  if (native.isRoot) failOnPath(err::kPathFileAccessError, path, "the root of a drive");
  auto found = nativeAttributes(native, path, "remove directory");
  if (!found) failOnPath(err::kPathNotFound, path);
  if ((*found & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    failOnPath(err::kPathNotFound, path, "not a directory");
  }
  // A linked directory goes as a link; what it leads to stays.
  if (!::RemoveDirectoryW(native.path.c_str())) failLastError(path, "remove directory");
}

void Win32FileSystem::replaceFile(const std::string& from, const std::string& to) {
  Native source = resolve(from);
  Native target = resolve(to);
  DWORD sourceAttributes = ::GetFileAttributesW(source.path.c_str());
  if (sourceAttributes == INVALID_FILE_ATTRIBUTES) failLastError(from, "replace");
  if (sourceAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    failOnPath(err::kPathFileAccessError, from, "a directory, not a file");
  }
  if (auto found = nativeAttributes(target, to, "replace")) {
    if (*found & FILE_ATTRIBUTE_DIRECTORY) {
      failOnPath(err::kPathFileAccessError, to, "a directory, not a file");
    }
    if (*found & FILE_ATTRIBUTE_READONLY) {
      failOnPath(err::kPathFileAccessError, to, "the file is read-only");
    }
  }
  // The new content on the disk before the name moves: after a crash the list is either the
  // old one or the whole new one.
  HANDLE handle = ::CreateFileW(source.path.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) failLastError(from, "replace");
  const bool flushed = ::FlushFileBuffers(handle);
  const DWORD flushError = ::GetLastError();
  ::CloseHandle(handle);
  if (!flushed) failWin32(flushError, from, "flush");
  if (!::MoveFileExW(source.path.c_str(), target.path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DWORD error = ::GetLastError();
    failWin32(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error, to,
              "replace with " + from);
  }
}

std::unique_ptr<FileLock> Win32FileSystem::tryLock(const std::string& path) {
  Native native = resolve(path);
  if (auto found = nativeAttributes(native, path, "lock");
      found && (*found & FILE_ATTRIBUTE_DIRECTORY)) {
    failOnPath(err::kPathFileAccessError, path, "a directory, not a file");
  }
  HANDLE handle = ::CreateFileW(native.path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    failWin32(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error, path, "open");
  }
  OVERLAPPED whole{};
  if (!::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                    MAXDWORD, &whole)) {
    DWORD error = ::GetLastError();
    ::CloseHandle(handle);
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return nullptr;
    failWin32(error, path, "lock");
  }
  return std::make_unique<HandleLock>(handle);
}

std::vector<DirEntry> Win32FileSystem::listDirectory(const std::string& path,
                                                     unsigned attributeMask) {
  Native native = resolve(path);
  auto found = nativeAttributes(native, path, "list");
  if (!found || (*found & FILE_ATTRIBUTE_DIRECTORY) == 0) failOnPath(err::kPathNotFound, path);
  std::wstring pattern = native.path;
  if (pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW entry;
  HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                     FindExSearchNameMatch, nullptr, 0);
  std::vector<DirEntry> entries;
  if (search == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return entries;
    failWin32(error, path, "list");
  }
  const unsigned special = kDirectory | kHidden | kSystem;
  do {
    std::string name = fromWide(entry.cFileName);
    if (name == "." || name == "..") continue;
    unsigned attributes = toAttributes(entry.dwFileAttributes);
    if ((attributes & special & ~attributeMask) != 0) continue;
    entries.push_back({std::move(name), attributes});
  } while (::FindNextFileW(search, &entry));
  DWORD error = ::GetLastError();
  ::FindClose(search);
  if (error != ERROR_NO_MORE_FILES) failWin32(error, path, "list");
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
    std::string foldedA = foldCase(a.name);
    std::string foldedB = foldCase(b.name);
    return foldedA != foldedB ? foldedA < foldedB : a.name < b.name;
  });
  return entries;
}

unsigned Win32FileSystem::attributes(const std::string& path) {
  Native native = resolve(path);
  DWORD found = ::GetFileAttributesW(native.path.c_str());
  if (found == INVALID_FILE_ATTRIBUTES) failLastError(path, "attributes");
  return toAttributes(found);
}

void Win32FileSystem::setAttributes(const std::string& path, unsigned attributes) {
  Native native = resolve(path);
  DWORD wanted = attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  if (!::SetFileAttributesW(native.path.c_str(), wanted ? wanted : FILE_ATTRIBUTE_NORMAL)) {
    failLastError(path, "set attributes");
  }
}

bool Win32FileSystem::sameFile(const std::string& a, const std::string& b) {
  auto identity = [this](const std::string& path) -> std::optional<std::pair<DWORD, ULONGLONG>> {
    Native native;
    try {
      native = resolve(path);
    } catch (const Failure&) {
      return std::nullopt;
    }
    HANDLE handle = ::CreateFileW(native.path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = ::GetFileInformationByHandle(handle, &info);
    ::CloseHandle(handle);
    if (!known) return std::nullopt;
    return std::make_pair(info.dwVolumeSerialNumber,
                          (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
  };
  auto first = identity(a);
  auto second = identity(b);
  return first && second && *first == *second;
}

std::vector<char> Win32FileSystem::drives() {
  std::vector<char> letters;
  if (mapped_) {
    for (const auto& [letter, directory] : map_.drives()) {
      DWORD found = ::GetFileAttributesW(longForm(withSeparator(directory)).c_str());
      if (found != INVALID_FILE_ATTRIBUTES && (found & FILE_ATTRIBUTE_DIRECTORY)) {
        letters.push_back(letter);
      }
    }
    return letters;
  }
  const DWORD present = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (present & (1u << i)) letters.push_back(static_cast<char>('A' + i));
  }
  return letters;
}

std::string Win32FileSystem::currentDirectory() {
  return map_.currentDirectory().text();
}

}  // namespace cw::platform

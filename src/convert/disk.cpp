#include "convert/disk.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "base/failure.h"
#include "convert/bookmark.h"
#include "platform/file_slots.h"

namespace cw::convert {

namespace fsys = std::filesystem;

Disk::Disk(platform::FileSystem* app)
    : app_(app), options_(platform::DriveFileSystem::defaultOptions()), fs_(options_) {}

bool Disk::isAppPath(const std::string& path) const {
  return app_ && path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
         path[1] == ':' && path[2] == '\\';
}

platform::FileSystem& Disk::fs(const std::string& path) {
  return isAppPath(path) ? *app_ : fs_;
}

std::string Disk::windowsPath(const std::string& localPath) const {
  if (isAppPath(localPath)) return localPath;
  const fsys::path absolute = fsys::absolute(localPath).lexically_normal();
  char letter = 0;
  fsys::path rest;
  std::size_t longest = 0;
  for (const auto& [drive, directory] : options_.drives) {
    const fsys::path root = fsys::path(directory).lexically_normal();
    const fsys::path relative = absolute.lexically_relative(root);
    if (relative.empty() || *relative.begin() == "..") continue;
    if (root.string().size() >= longest) {
      longest = root.string().size();
      letter = drive;
      rest = relative == "." ? fsys::path() : relative;
    }
  }
  std::string path = std::string(1, letter ? letter : 'Z') + ":\\" + rest.string();
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string Disk::readAll(const std::string& localPath, std::size_t limit) {
  try {
    auto in = fs(localPath).openRead(windowsPath(localPath));
    // Read straight into a string the size the file has now; a file that grows meanwhile
    // is read on in pieces.
    std::error_code unknown;
    const std::uintmax_t expected = isAppPath(localPath) ? 0 : fsys::file_size(localPath, unknown);
    std::string bytes(unknown || !expected ? 0 : std::min<std::uintmax_t>(expected, limit) + 1,
                      '\0');
    std::size_t size = 0;
    for (;;) {
      if (size == bytes.size()) bytes.resize(std::max<std::size_t>(64 * 1024, bytes.size() * 2));
      const std::size_t count = in->read(bytes.data() + size, bytes.size() - size);
      if (!count) break;
      size += count;
      if (size > limit) {
        throw InputError(localPath, "",
                         "the file is larger than the " + std::to_string(limit >> 20) +
                             " MiB the converter reads");
      }
    }
    bytes.resize(size);
    return bytes;
  } catch (const Failure& failure) {
    const bool missing =
        failure.number() == err::kFileNotFound || failure.number() == err::kPathNotFound;
    throw InputError(localPath, "",
                     missing ? "no such file" : "cannot be read: " + failure.description());
  }
}

void Disk::replace(const std::string& localPath, std::string_view bytes) {
  replace(localPath, [bytes](platform::OutputStream& out) { out.write(bytes); });
}

void Disk::replace(const std::string& localPath,
                   const std::function<void(platform::OutputStream&)>& write) {
  try {
    platform::replaceFileContentWith(fs(localPath), windowsPath(localPath), write);
  } catch (const Failure& failure) {
    throw InputError(localPath, "", "cannot be written: " + failure.description());
  }
}

}  // namespace cw::convert

#include "convert/disk.h"

#include <algorithm>
#include <filesystem>

#include "convert/bookmark.h"
#include "errors/failure.h"
#include "platform/file_slots.h"

namespace cw::convert {

namespace fsys = std::filesystem;

Disk::Disk() : options_(platform::DriveFileSystem::defaultOptions()), fs_(options_) {}

std::string Disk::windowsPath(const std::string& localPath) const {
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
    auto in = fs_.openRead(windowsPath(localPath));
    // Read straight into a string the size the file has now; a file that grows meanwhile
    // is read on in pieces.
    std::error_code unknown;
    const std::uintmax_t expected = fsys::file_size(localPath, unknown);
    std::string bytes(unknown ? 0 : std::min<std::uintmax_t>(expected, limit) + 1, '\0');
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
  try {
    platform::replaceFileContent(fs_, windowsPath(localPath), bytes);
  } catch (const Failure& failure) {
    throw InputError(localPath, "", "cannot be written: " + failure.description());
  }
}

}  // namespace cw::convert

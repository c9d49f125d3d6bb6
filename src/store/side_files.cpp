#include "store/side_files.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "errors/failure.h"
#include "platform/file_system.h"
#include "platform/windows_path.h"
#include "store/ansi.h"

namespace cw::store {

namespace {

bool isReservedDeviceName(std::string_view name) {
  std::string lower;
  for (char c : name) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  if (lower == "con" || lower == "prn" || lower == "aux" || lower == "nul" || lower == "clock$") {
    return true;
  }
  return lower.size() == 4 && (lower.starts_with("lpt") || lower.starts_with("com")) &&
         lower[3] >= '1' && lower[3] <= '9';
}

bool mustEscape(unsigned char c) {
  return c < 32 || c == '"' || c == '/' || c == '\\' || c == ':' || c == '|' || c == '<' ||
         c == '>' || c == '*' || c == '?' || c == '%';
}

void appendEscaped(std::string& out, unsigned char c) {
  char hex[4];
  std::snprintf(hex, sizeof hex, "%%%02X", c);
  out += hex;
}

// The text hashed into an area's name: the path as the drives spell it, letters upper case, so
// every spelling that reaches the same list on the drive gives the same area. Without a
// lower-case letter beyond ASCII this is the text an earlier version hashed.
std::string keyText(const std::string& path) {
  return platform::upperCase(platform::WindowsPath::parse(path).text());
}

// The text an earlier version hashed: only ASCII letters upper case, and ".." never took the
// first name away. Its areas are still found through it (see ListSideFileArea with a file
// system).
std::string earlierKeyText(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&] {
    if (part == "..") {
      if (parts.size() > 1) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (char c : path) {
    if (c == '/' || c == '\\') {
      flush();
    } else {
      part += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    }
  }
  flush();
  std::string out;
  for (const auto& p : parts) {
    if (!out.empty()) out += '\\';
    out += p;
  }
  return out;
}

std::uint64_t fnv1a(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

bool legacyUsable(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (c == '/' || c == '\\' || c == ':' || c == '"') return false;
  }
  return true;
}

// A copy that fails goes again: a part of a file would be kept as if it were whole.
void copyFile(platform::FileSystem& fs, const std::string& from, const std::string& to) {
  auto in = fs.openRead(from);
  auto out = fs.openNew(to);
  try {
    char buffer[16384];
    for (std::size_t n; (n = in->read(buffer, sizeof buffer)) > 0;) out->write({buffer, n});
    out->flush();
    out->close();
  } catch (const Failure&) {
    out.reset();
    try {
      fs.deleteFile(to);
    } catch (const Failure&) {
      // The copy's own failure is the one passed on.
    }
    throw;
  }
}

void ensureDirectory(platform::FileSystem& fs, const std::string& path) {
  if (!fs.directoryExists(path)) fs.createDirectory(path);
}

// Copies the files (not subdirectories) of one directory into another, keeping files that are
// already there. Files of an earlier version are named by the bookmark name itself.
void copyMissingFiles(platform::FileSystem& fs, const std::string& from, const std::string& to,
                      bool namedByBookmark) {
  for (const auto& entry : fs.listDirectory(from, platform::kHidden | platform::kSystem)) {
    if (entry.attributes & platform::kDirectory) continue;
    std::string target = to + (namedByBookmark ? SideFileName(entry.name) : entry.name);
    if (!fs.fileExists(target)) copyFile(fs, from + entry.name, target);
  }
}

void copyTree(platform::FileSystem& fs, const std::string& from, const std::string& to) {
  ensureDirectory(fs, to);
  copyMissingFiles(fs, from, to, false);
  for (const auto& entry : fs.listDirectory(from, platform::kDirectory)) {
    if (entry.attributes & platform::kDirectory) {
      copyTree(fs, from + entry.name + "/", to + entry.name + "/");
    }
  }
}

// The stem says which list an area belongs to; the hash keeps lists of one name apart.
std::string areaNamed(const std::string& configDir, const std::string& listPath,
                      const std::string& key) {
  std::string stem = listPath;
  if (auto slash = stem.find_last_of("/\\"); slash != std::string::npos) {
    stem = stem.substr(slash + 1);
  }
  if (auto dot = stem.find_last_of('.'); dot != std::string::npos && dot > 0) {
    stem = stem.substr(0, dot);
  }
  stem = SideFileName(stem);
  if (stem.size() > 40) {
    std::size_t cut = 40;
    while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
    stem.resize(cut);
  }
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a(key)));
  return configDir + "lists/" + stem + "-" + hash + "/";
}

}  // namespace

std::string LayerRecordText(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (char c : name) {
    if (c == '"') {
      out += "\xE2\x80\x9D";  // U+201D
    } else {
      out += c;
    }
  }
  return ansiRoundTrip(out);
}

std::string SideFileName(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    auto c = static_cast<unsigned char>(name[i]);
    bool last = i + 1 == name.size();
    bool first = i == 0;
    if (mustEscape(c) || (last && (c == '.' || c == ' ')) ||
        (first && isReservedDeviceName(name))) {
      appendEscaped(out, c);
    } else {
      out += static_cast<char>(c);
    }
  }
  // The platform holds at most 255 bytes in one name. A longer name keeps its beginning and
  // ends in a hash of the whole name, so distinct names still give distinct files.
  constexpr std::size_t kLongestName = 255;
  if (out.size() > kLongestName) {
    char hash[18];
    std::snprintf(hash, sizeof hash, "~%016llx", static_cast<unsigned long long>(fnv1a(name)));
    std::size_t cut = kLongestName - 17;
    // Neither a character nor an escape is split.
    while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
    if (cut >= 2 && out[cut - 2] == '%') cut -= 2;
    if (cut >= 1 && out[cut - 1] == '%') cut -= 1;
    out.resize(cut);
    out += hash;
  }
  return out;
}

std::string ListSideFileArea(const std::string& configDir, const std::string& listPath) {
  return areaNamed(configDir, listPath, keyText(listPath));
}

std::string ListSideFileArea(platform::FileSystem& fs, const std::string& configDir,
                             const std::string& listPath) {
  std::string area = ListSideFileArea(configDir, listPath);
  const std::string earlierKey = earlierKeyText(listPath);
  if (earlierKey == keyText(listPath) || fs.directoryExists(area)) return area;
  std::string earlier = areaNamed(configDir, listPath, earlierKey);
  return fs.directoryExists(earlier) ? earlier : area;
}

std::string GroupSideDirectory(const std::string& configDir, const std::string& listPath,
                               const std::string& group) {
  return ListSideFileArea(configDir, listPath) + SideFileName(group) + "/";
}

std::string GroupSideDirectory(platform::FileSystem& fs, const std::string& configDir,
                               const std::string& listPath, const std::string& group) {
  return ListSideFileArea(fs, configDir, listPath) + SideFileName(group) + "/";
}

std::string LayerVisibilityPath(const std::string& configDir, const std::string& listPath,
                                const std::string& group, const std::string& bookmark) {
  return GroupSideDirectory(configDir, listPath, group) + SideFileName(bookmark);
}

std::string LayerVisibilityPath(platform::FileSystem& fs, const std::string& configDir,
                                const std::string& listPath, const std::string& group,
                                const std::string& bookmark) {
  return GroupSideDirectory(fs, configDir, listPath, group) + SideFileName(bookmark);
}

std::string LegacyLayerVisibilityPath(const std::string& configDir, const std::string& group,
                                      const std::string& bookmark) {
  if (!legacyUsable(group) || !legacyUsable(bookmark)) return "";
  return configDir + group + "/" + bookmark;
}

std::string LayerVisibilityFileToRead(platform::FileSystem& fs, const std::string& configDir,
                                      const std::string& listPath, const std::string& group,
                                      const std::string& bookmark) {
  if (std::string dir = GroupSideDirectory(fs, configDir, listPath, group);
      fs.directoryExists(dir)) {
    std::string own = dir + SideFileName(bookmark);
    return fs.fileExists(own) ? own : "";
  }
  std::string legacy = LegacyLayerVisibilityPath(configDir, group, bookmark);
  return (!legacy.empty() && fs.fileExists(legacy)) ? legacy : "";
}

void EnsureGroupSideDirectory(platform::FileSystem& fs, const std::string& configDir,
                              const std::string& listPath, const std::string& group) {
  const std::string area = ListSideFileArea(fs, configDir, listPath);
  const std::string dir = area + SideFileName(group) + "/";
  if (fs.directoryExists(dir)) return;
  ensureDirectory(fs, configDir);
  ensureDirectory(fs, configDir + "lists/");
  ensureDirectory(fs, area);
  fs.createDirectory(dir);
  if (legacyUsable(group)) {
    std::string legacyDir = configDir + group + "/";
    if (fs.directoryExists(legacyDir)) copyMissingFiles(fs, legacyDir, dir, true);
  }
}

void CopyListSideFiles(platform::FileSystem& fs, const std::string& configDir,
                       const std::string& fromList, const std::string& toList) {
  std::string from = ListSideFileArea(fs, configDir, fromList);
  std::string to = ListSideFileArea(fs, configDir, toList);
  if (platform::equalIgnoringCase(from, to) || !fs.directoryExists(from)) return;
  ensureDirectory(fs, configDir + "lists/");
  copyTree(fs, from, to);
}

}  // namespace cw::store

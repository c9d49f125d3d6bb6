#include "store/side_files.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/failure.h"
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

// Windows opens a device for a device name with any extension too ("con.txt", "LPT1.old"), in
// every directory: the part before the first "." counts, without trailing blanks.
bool hasReservedDeviceStem(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  return isReservedDeviceName(stem);
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

bool isFoldedUpper(std::string_view name, std::size_t i) {
  auto c = static_cast<unsigned char>(name[i]);
  if (c >= 'A' && c <= 'Z') return true;
  if (c != 0xC3 || i + 1 >= name.size()) return false;
  auto next = static_cast<unsigned char>(name[i + 1]);
  return next >= 0x80 && next <= 0x9E && next != 0x97;
}

// A name as a file name. With `markUpperCase` every letter the drives fold that is upper case is
// written after a "^" (and a literal "^" as %5E), so names that differ only in case stay apart
// on a drive that ignores case; without it, the spelling earlier versions wrote.
std::string encodeName(std::string_view name, bool markUpperCase) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    auto c = static_cast<unsigned char>(name[i]);
    bool last = i + 1 == name.size();
    bool first = i == 0;
    if (mustEscape(c) || (last && (c == '.' || c == ' ')) ||
        (first && (markUpperCase ? hasReservedDeviceStem(name) : isReservedDeviceName(name)))) {
      appendEscaped(out, c);
    } else if (markUpperCase && c == '^') {
      appendEscaped(out, c);
    } else if (markUpperCase && isFoldedUpper(name, i)) {
      out += '^';
      out += static_cast<char>(c);
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
    if (markUpperCase && cut >= 1 && out[cut - 1] == '^') cut -= 1;
    out.resize(cut);
    out += hash;
  }
  return out;
}

std::string presentSideFileName(std::string_view name) {
  return encodeName(name, false);
}

// The name an earlier version's spelling stands for (its %XX undone).
std::string nameOfPresentSpelling(const std::string& spelling) {
  std::string out;
  for (std::size_t i = 0; i < spelling.size(); ++i) {
    if (spelling[i] == '%' && i + 2 < spelling.size()) {
      out += static_cast<char>(std::stoi(spelling.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += spelling[i];
    }
  }
  return out;
}

// The spelling of this version for an entry found under another one: a "^" is only ever
// written as a marker, so a spelling with one is already of this version.
std::string ownerSpelling(const std::string& spelling) {
  if (spelling.find('^') != std::string::npos) return spelling;
  return SideFileName(nameOfPresentSpelling(spelling));
}

bool entryExists(platform::FileSystem& fs, const std::string& path, bool directory) {
  return directory ? fs.directoryExists(path) : fs.fileExists(path);
}

// On a drive that ignores case, an existence test also answers for an entry spelt otherwise;
// only the listing tells the stored spelling.
std::vector<platform::DirEntry> entriesOf(platform::FileSystem& fs, const std::string& parent) {
  return fs.listDirectory(parent, platform::kDirectory | platform::kHidden | platform::kSystem);
}

bool listedExactly(platform::FileSystem& fs, const std::string& parent, const std::string& name) {
  for (const auto& entry : entriesOf(fs, parent)) {
    if (entry.name == name) return true;
  }
  return false;
}

// The spelling under `parent` of the entry that belongs to `name`: this version's, or the one an
// earlier version wrote when it is stored exactly so; "" when the name has none. A spelling with
// a marker cannot be taken by another name's entry, so it needs no listing.
std::string existingEntry(platform::FileSystem& fs, const std::string& parent,
                          std::string_view name, bool directory) {
  const std::string own = SideFileName(name);
  const std::string present = presentSideFileName(name);
  if (entryExists(fs, parent + own, directory)) {
    if (own != present || listedExactly(fs, parent, own)) return own;
    return "";
  }
  if (own != present && entryExists(fs, parent + present, directory) &&
      listedExactly(fs, parent, present)) {
    return present;
  }
  return "";
}

// Moves an earlier version's entry of a case twin to its owner's spelling of this version (or
// drops it where the owner already has one), file by file for a directory, so that nothing of
// the twin is lost when its place is taken. A move that stops half-way is taken up again by the
// next one.
void moveAside(platform::FileSystem& fs, const std::string& parent, const std::string& spelling,
               bool directory) {
  const std::string from = parent + spelling;
  const std::string to = parent + ownerSpelling(spelling);
  if (!directory) {
    if (fs.fileExists(to)) {
      fs.deleteFile(from);
    } else {
      fs.replaceFile(from, to);
    }
    return;
  }
  if (!fs.directoryExists(to)) fs.createDirectory(to);
  for (const auto& entry : entriesOf(fs, from + "/")) {
    if (entry.attributes & platform::kDirectory) continue;
    const std::string file = from + "/" + entry.name;
    const std::string target = to + "/" + ownerSpelling(entry.name);
    if (fs.fileExists(target)) {
      fs.deleteFile(file);
    } else {
      fs.replaceFile(file, target);
    }
  }
  fs.removeDirectory(from);
}

// The spelling to write `name`'s entry under: its existing one, else this version's, after an
// earlier version's entry of a case twin has been moved out of its place.
std::string claimEntry(platform::FileSystem& fs, const std::string& parent, std::string_view name,
                       bool directory) {
  if (std::string existing = existingEntry(fs, parent, name, directory); !existing.empty()) {
    return existing;
  }
  // A name without a marker whose place answers all the same holds a twin's earlier entry.
  const std::string own = SideFileName(name);
  if (own == presentSideFileName(name) && entryExists(fs, parent + own, directory)) {
    for (const auto& entry : entriesOf(fs, parent)) {
      if (platform::equalIgnoringCase(entry.name, own)) {
        moveAside(fs, parent, entry.name, directory);
        break;
      }
    }
  }
  return own;
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
  stem = presentSideFileName(stem);
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
  return encodeName(name, true);
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
  const std::string area = ListSideFileArea(fs, configDir, listPath);
  return area + claimEntry(fs, area, group, true) + "/";
}

std::string LayerVisibilityPath(const std::string& configDir, const std::string& listPath,
                                const std::string& group, const std::string& bookmark) {
  return GroupSideDirectory(configDir, listPath, group) + SideFileName(bookmark);
}

std::string LayerVisibilityPath(platform::FileSystem& fs, const std::string& configDir,
                                const std::string& listPath, const std::string& group,
                                const std::string& bookmark) {
  const std::string dir = GroupSideDirectory(fs, configDir, listPath, group);
  return dir + claimEntry(fs, dir, bookmark, false);
}

std::string LegacyLayerVisibilityPath(const std::string& configDir, const std::string& group,
                                      const std::string& bookmark) {
  if (!legacyUsable(group) || !legacyUsable(bookmark)) return "";
  return configDir + group + "/" + bookmark;
}

std::string LayerVisibilityFileToRead(platform::FileSystem& fs, const std::string& configDir,
                                      const std::string& listPath, const std::string& group,
                                      const std::string& bookmark) {
  const std::string area = ListSideFileArea(fs, configDir, listPath);
  if (std::string groupEntry = existingEntry(fs, area, group, true); !groupEntry.empty()) {
    const std::string dir = area + groupEntry + "/";
    std::string own = existingEntry(fs, dir, bookmark, false);
    return own.empty() ? "" : dir + own;
  }
  std::string legacy = LegacyLayerVisibilityPath(configDir, group, bookmark);
  return (!legacy.empty() && fs.fileExists(legacy)) ? legacy : "";
}

void EnsureGroupSideDirectory(platform::FileSystem& fs, const std::string& configDir,
                              const std::string& listPath, const std::string& group) {
  const std::string area = ListSideFileArea(fs, configDir, listPath);
  const std::string dir = area + claimEntry(fs, area, group, true) + "/";
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

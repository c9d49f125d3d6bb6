#pragma once

#include <string>
#include <string_view>
#include <vector>

// Windows paths as the drives read them: "\" and "/" both separate names, a drive letter may
// lead ("C:"), and letters compare without regard to case. The drive stand-in, the file lists and
// the side-file areas all spell and compare paths through these, so a path that reaches a file
// on the drive gives the same answer everywhere.
namespace cw::platform {

// The case the drives ignore: ASCII letters and the Latin-1 letters in UTF-8 (C3 80..C3 9E
// against C3 A0..C3 BE, without the signs × and ÷). Other letters keep their case, as the
// drives keep them apart. Both forms keep every byte count, so a wildcard that stands for one
// byte stands for the same byte after folding.
std::string foldCase(std::string_view text);   // to lower case: the comparison form
std::string upperCase(std::string_view text);  // to upper case: the same pairs the other way
// A drive letter or any other single byte to upper case (no single byte is a Latin-1 letter).
char upperCase(char c);
bool equalIgnoringCase(std::string_view a, std::string_view b);

class WindowsPath {
 public:
  // Never fails: names the drives refuse and network paths are for the caller to judge. "." and
  // doubled separators go; ".." takes the name before it away and never climbs above a root.
  // A relative path keeps the ".." it cannot take away yet, for resolvedAgainst().
  static WindowsPath parse(std::string_view text);
  // The root of a drive, "C:\".
  static WindowsPath root(char drive);

  // The drive letter a text starts with ("c:\a" gives 'C'), 0 when it starts with none.
  static char driveOf(std::string_view text);
  // A directory and a name joined by one "\" (none added when the directory ends in a
  // separator); neither part is changed otherwise.
  static std::string join(std::string_view directory, std::string_view name);

  char drive() const { return drive_; }
  // Spelt from a root: "C:\a", "\a" (a network path "\\server\share" too).
  bool rooted() const { return rooted_; }
  bool absolute() const { return drive_ != 0 && rooted_; }
  bool isRoot() const { return absolute() && names_.empty(); }
  // Spelt with two separators first and no drive: "\\server\share".
  bool network() const { return network_; }
  // Spelt with a separator at the end ("C:\a\"): a directory is meant.
  bool trailingSeparator() const { return trailingSeparator_; }
  const std::vector<std::string>& names() const { return names_; }

  // This path made absolute from `base`: a path with a drive and a root stays as it is; a root
  // without a drive is on the base's drive; a relative path continues from the base when it
  // names no drive or the base's, else from the root of its drive. The base counts from its
  // root whatever its spelling. Without a drive on either side the result has none.
  WindowsPath resolvedAgainst(const WindowsPath& base) const;

  // "C:\a\b", "C:\" for a drive's root; the drive letter upper case, names as spelt, "\" only,
  // no trailing separator.
  std::string text() const;
  // text() folded: equal for two paths that name the same place on a drive.
  std::string comparisonKey() const { return foldCase(text()); }
  bool sameIgnoringCase(const WindowsPath& other) const {
    return comparisonKey() == other.comparisonKey();
  }

 private:
  void append(std::string_view name);

  char drive_ = 0;
  bool rooted_ = false;
  bool network_ = false;
  bool trailingSeparator_ = false;
  std::vector<std::string> names_;
};

}  // namespace cw::platform

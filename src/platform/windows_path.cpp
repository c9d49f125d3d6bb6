#include "platform/windows_path.h"

namespace cw::platform {

namespace {

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

bool isAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The second byte of a Latin-1 letter after C3, upper case (80..9E) against lower case
// (A0..BE); 97 and B7 are the signs × and ÷, and 9F (ß) and BF (ÿ) have no partner here.
bool isLatinUpper(unsigned char second) {
  return second >= 0x80 && second <= 0x9E && second != 0x97;
}
bool isLatinLower(unsigned char second) {
  return second >= 0xA0 && second <= 0xBE && second != 0xB7;
}

std::string mapCase(std::string_view text, bool toUpper) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto c = static_cast<unsigned char>(out[i]);
    if (toUpper ? (c >= 'a' && c <= 'z') : (c >= 'A' && c <= 'Z')) {
      out[i] = static_cast<char>(toUpper ? c - 32 : c + 32);
    } else if (c == 0xC3 && i + 1 < out.size()) {
      // The byte after C3 belongs to it, whatever it is: the drives have always read names so,
      // and a name they told apart must stay apart.
      auto next = static_cast<unsigned char>(out[i + 1]);
      if (toUpper ? isLatinLower(next) : isLatinUpper(next)) {
        out[i + 1] = static_cast<char>(toUpper ? next - 32 : next + 32);
      }
      ++i;
    }
  }
  return out;
}

}  // namespace

std::string foldCase(std::string_view text) {
  return mapCase(text, false);
}

std::string upperCase(std::string_view text) {
  return mapCase(text, true);
}

char upperCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && foldCase(a) == foldCase(b);
}

char WindowsPath::driveOf(std::string_view text) {
  return text.size() >= 2 && isAsciiLetter(text[0]) && text[1] == ':' ? upperCase(text[0]) : 0;
}

std::string WindowsPath::join(std::string_view directory, std::string_view name) {
  std::string out(directory);
  if (out.empty() || !isSeparator(out.back())) out += '\\';
  out += name;
  return out;
}

WindowsPath WindowsPath::root(char drive) {
  WindowsPath path;
  path.drive_ = upperCase(drive);
  path.rooted_ = true;
  return path;
}

WindowsPath WindowsPath::parse(std::string_view text) {
  WindowsPath path;
  path.drive_ = driveOf(text);
  if (path.drive_) text.remove_prefix(2);
  path.rooted_ = !text.empty() && isSeparator(text[0]);
  path.network_ = !path.drive_ && text.size() >= 2 && isSeparator(text[0]) && isSeparator(text[1]);
  path.trailingSeparator_ = !text.empty() && isSeparator(text.back());
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = start;
    while (end < text.size() && !isSeparator(text[end])) ++end;
    path.append(text.substr(start, end - start));
    start = end + 1;
  }
  return path;
}

void WindowsPath::append(std::string_view name) {
  if (name.empty() || name == ".") return;
  if (name == "..") {
    if (!names_.empty() && names_.back() != "..") {
      names_.pop_back();
    } else if (!rooted_) {
      names_.emplace_back(name);
    }
    return;
  }
  names_.emplace_back(name);
}

WindowsPath WindowsPath::resolvedAgainst(const WindowsPath& base) const {
  if (absolute()) return *this;
  WindowsPath out;
  out.drive_ = drive_ ? drive_ : base.drive_;
  out.rooted_ = true;
  out.network_ = network_;
  out.trailingSeparator_ = trailingSeparator_;
  if (!rooted_ && out.drive_ == base.drive_) {
    for (const auto& name : base.names_) out.append(name);
  }
  for (const auto& name : names_) out.append(name);
  return out;
}

std::string WindowsPath::text() const {
  std::string out;
  if (drive_) out = {drive_, ':'};
  if (rooted_) out += '\\';
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (i) out += '\\';
    out += names_[i];
  }
  return out;
}

}  // namespace cw::platform

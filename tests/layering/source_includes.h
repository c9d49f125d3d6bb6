#pragma once

// The #include lines of the tree's own sources, for the tests of its layers.

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace cw::layering {

namespace fs = std::filesystem;

inline const fs::path kRoot = fs::path(CW_SOURCE_DIR);
inline const fs::path kSource = kRoot / "src";

struct Include {
  fs::path file;
  int line;
  bool angled;       // <...>
  std::string name;  // what is included
};

// Every #include of the C++ files directly in `folder` (with `recursive`, below it too).
inline std::vector<Include> includesOf(const fs::path& folder, bool recursive) {
  std::vector<Include> found;
  static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  auto scan = [&](const fs::path& file) {
    const auto ext = file.extension();
    if (ext != ".h" && ext != ".cpp") return;
    std::ifstream in(file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
      std::smatch m;
      if (std::regex_search(text, m, include)) found.push_back({file, line, m[1] == "<", m[2]});
    }
  };
  if (recursive) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) scan(entry.path());
  } else {
    for (const auto& entry : fs::directory_iterator(folder)) scan(entry.path());
  }
  return found;
}

inline std::string where(const Include& inc) {
  return fs::relative(inc.file, kRoot).string() + ":" + std::to_string(inc.line) + " includes " +
         (inc.angled ? "<" + inc.name + ">" : "\"" + inc.name + "\"");
}

// The folder of the tree (relative to its root, "src/store") that a quoted include names, or ""
// for one that is no folder of the tree (a generated header, a file beside the includer).
inline std::string folderOfInclude(const std::string& name) {
  const fs::path folder = fs::path(name).parent_path();
  if (folder.empty()) return "";
  for (const char* top : {"src", "apps"}) {
    if (fs::is_directory(kRoot / top / folder)) return (fs::path(top) / folder).generic_string();
  }
  return "";
}

// The folder of the tree a source file lies in ("src/ui/main").
inline std::string folderOfFile(const fs::path& file) {
  return fs::relative(file.parent_path(), kRoot).generic_string();
}

// Includes that break the layers today and are being taken apart: from one folder to another,
// with what stands in the way. Each must still occur (the test of the levels says when one no
// longer does); none may be added.
struct Allowance {
  const char* from;
  const char* to;
  const char* why;
};

inline const std::vector<Allowance>& allowances() {
  static const std::vector<Allowance> list{
      {"src/hosts/com", "src/frontends/win32",
       "window frames are a host service, made by the Win32 front end"},
      {"src/frontends/headless", "src/hosts/standin",
       "the session runner, a program's composition root, lives in the front end"},
      {"src/frontends/qt", "src/hosts/standin",
       "the desktop app, a program's composition root, lives in the front end"},
      {"src/convert", "src/platform/posix", "the converter reaches its drives through POSIX"},
  };
  return list;
}

inline bool stillAllowed(const Include& inc) {
  const std::string from = folderOfFile(inc.file);
  const std::string to = folderOfInclude(inc.name);
  for (const Allowance& allowance : allowances()) {
    if (from == allowance.from && to == allowance.to) return true;
  }
  return false;
}

}  // namespace cw::layering

#pragma once

// What the system's programs share of their own input: the command line and whole files, both
// in UTF-8 as every path in the system is.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/failure.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/wide_text.h"
#endif

namespace cw::programs {

// The arguments, the program's name first. On Windows the narrow ones are in the ANSI code page
// and lose what it cannot spell, so they are taken from the wide command line.
inline std::vector<std::string> programArguments(int argc, char** argv) {
#ifdef _WIN32
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; wide && i < count; ++i) {
    arguments.push_back(cw::platform::win32::fromWide(wide[i]));
  }
  ::LocalFree(wide);
  if (!arguments.empty() || argc == 0) return arguments;
#endif
  return std::vector<std::string>(argv, argv + argc);
}

// The bytes of a file named in UTF-8.
inline std::string readFile(const std::string& path) {
  const std::u8string utf8(path.begin(), path.end());
  std::ifstream in(std::filesystem::path(utf8), std::ios::binary);
  if (!in) throw cw::Failure(cw::err::kFileNotFound, "cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace cw::programs

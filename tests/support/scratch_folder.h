#pragma once

// Where tests put their scratch files, on every system: fresh folders under the temporary
// folder, which a test that makes many of them may move to memory where the machine has a RAM
// disk (/dev/shm on Linux; Windows has none by default, so its tests stay on disk).
//
//   cw::testing::useMemoryForScratch();                    // once, before the first folder
//   auto folder = cw::testing::makeScratchFolder("cw-drives");   // ".../cw-drives-3f9a1c"

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace cw::testing {

// The machine's folder in memory, when it has one.
inline std::optional<std::filesystem::path> memoryFolder() {
#ifdef _WIN32
  return std::nullopt;
#else
  std::error_code ec;
  if (!std::filesystem::is_directory("/dev/shm", ec)) return std::nullopt;
  return std::filesystem::path("/dev/shm");
#endif
}

// True when the caller chose the temporary folder (TMPDIR, or TMP and TEMP on Windows).
inline bool temporaryFolderChosen() {
#ifdef _WIN32
  return std::getenv("CW_SCRATCH_CHOSEN") != nullptr;
#else
  return std::getenv("TMPDIR") != nullptr;
#endif
}

// Makes `folder` the temporary folder of this process and of the programs it starts.
inline bool setTemporaryFolder(const std::filesystem::path& folder) {
#ifdef _WIN32
  const std::string text = folder.string();
  return ::_putenv_s("TMP", text.c_str()) == 0 && ::_putenv_s("TEMP", text.c_str()) == 0 &&
         ::_putenv_s("CW_SCRATCH_CHOSEN", "1") == 0;
#else
  return ::setenv("TMPDIR", folder.c_str(), 1) == 0;
#endif
}

// Moves the scratch folders to memory where the machine offers it: `overChosen` also over a
// folder the caller chose. True when they are in memory from now on.
inline bool useMemoryForScratch(bool overChosen) {
  if (!overChosen && temporaryFolderChosen()) return false;
  auto memory = memoryFolder();
  return memory && setTemporaryFolder(*memory);
}

// A new empty folder "prefix-XXXXXX" under the temporary folder.
inline std::filesystem::path makeScratchFolder(std::string_view prefix) {
  static std::mt19937_64 random{std::random_device{}()};
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name(prefix);
    name += '-';
    const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int i = 0; i < 8; ++i) name += digits[random() % 36];
    std::error_code ec;
    if (std::filesystem::create_directory(base / name, ec)) return base / name;
  }
  throw std::runtime_error("cannot make a scratch folder in " + base.string());
}

}  // namespace cw::testing

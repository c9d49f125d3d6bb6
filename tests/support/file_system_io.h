#pragma once

// Whole files through a platform file system, for tests of the file systems themselves.

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace cw::testing {

inline std::string readAll(platform::FileSystem& fs, const std::string& path) {
  auto in = fs.openRead(path);
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = in->read(buffer, sizeof buffer)) > 0;) out.append(buffer, n);
  return out;
}

inline void append(platform::FileSystem& fs, const std::string& path, std::string_view bytes) {
  auto out = fs.openAppend(path);
  out->write(bytes);
  out->close();
}

}  // namespace cw::testing

#pragma once

#include "platform/win32/win32_file_system.h"

namespace cw::com {

// The drives the module's file system works on. The machine's own, unless the process that
// loads the module gives others in its environment, as a test host does to run the module on
// drive stand-ins: CORBELWICK_DRIVES holds "X=DIR" mappings separated by '|' (a character no
// Windows path holds), in the order a command line would give them, and CORBELWICK_CWD the
// current directory, as corbelwick-session's --drive and --cwd.
platform::Win32FileSystem::Options environmentDrives();

inline constexpr const char* kDrivesVariable = "CORBELWICK_DRIVES";
inline constexpr const char* kCurrentDirectoryVariable = "CORBELWICK_CWD";

}  // namespace cw::com

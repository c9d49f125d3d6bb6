# What the two Windows toolchains (mingw-w64-i686.cmake, mingw-w64-x86_64.cmake) share; each sets
# CMAKE_SYSTEM_PROCESSOR, CW_MINGW_TRIPLE and CW_WINE_LOADER first, then includes this file.
set(CMAKE_SYSTEM_NAME Windows)

# POSIX threads, so that std::thread and std::mutex work.
set(CMAKE_C_COMPILER ${CW_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CW_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CW_MINGW_TRIPLE}-windres)

# Libraries and headers of the target only; programs (the build's own tools) from the machine.
set(CMAKE_FIND_ROOT_PATH /usr/${CW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Nothing beside the built files is needed on a Windows machine: the C++ runtime, libgcc and
# winpthread go into every program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The test programs run under wine, through the loader of the target's architecture: the
# `wine` wrapper would pick the 32-bit loader for a 64-bit program where both are installed.
find_program(CW_WINE NAMES ${CW_WINE_LOADER} wine
  PATHS /usr/lib/wine NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(CW_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CW_WINE})
endif()

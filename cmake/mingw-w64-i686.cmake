# Cross-compiles for 32-bit Windows with Debian's mingw-w64 (POSIX threads, so std::thread and
# std::mutex work): cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake ...
# The host that loads the system is a 32-bit Windows program, hence i686.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CW_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${CW_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CW_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CW_MINGW_TRIPLE}-windres)

# Libraries and headers of the target only; programs (the build's own tools) from the machine.
set(CMAKE_FIND_ROOT_PATH /usr/${CW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Doubles computed in SSE2 registers, as on x86-64: the x87 unit's 80-bit intermediates would
# round extents and coordinates differently from the Linux build (every machine the host runs
# on has SSE2).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# Nothing beside the built files is needed on a Windows machine: the C++ runtime, libgcc and
# winpthread go into every program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The test programs run under wine.
find_program(CW_WINE wine)
if(CW_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CW_WINE})
endif()

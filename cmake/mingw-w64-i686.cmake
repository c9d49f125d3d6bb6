# Cross-compiles for 32-bit Windows with Debian's mingw-w64:
# cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake ...
# The host that loads the in-process server is a 32-bit Windows program, hence i686.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CW_MINGW_TRIPLE i686-w64-mingw32)
set(CW_WINE_LOADER wine)

# Doubles computed in SSE2 registers, as on x86-64: the x87 unit's 80-bit intermediates would
# round extents and coordinates differently from the Linux build (every machine the host runs
# on has SSE2).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Cross-compiles for 64-bit Windows with Debian's mingw-w64:
# cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake ...
# The 64-bit hosts (and 64-bit wine, which every machine of ours runs) take this build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CW_MINGW_TRIPLE x86_64-w64-mingw32)
set(CW_WINE_LOADER wine64)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

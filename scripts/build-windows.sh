#!/usr/bin/env bash
# Cross-builds the system for 32-bit Windows with mingw-w64 into build/windows/ (or DIR):
# scripts/build-windows.sh [DIR] [cmake options...]. The programs link their C++ runtime
# statically and need nothing beside them on a Windows machine; scripts/test-windows.sh runs
# the tests under wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-$root/build/windows}"
shift || true
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
# Only the system's own DLLs may be imported.
for exe in "$dir"/*.exe "$dir"/*.dll; do
  [ -e "$exe" ] || continue
  extra="$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' |
    grep -viE '^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|version|msvcrt|ws2_32|comdlg32|comctl32|shlwapi|ucrtbase|api-ms-win-.*)\.dll$' || true)"
  if [ -n "$extra" ]; then
    echo "build-windows: $(basename "$exe") needs DLLs a Windows machine lacks: $extra" >&2
    exit 1
  fi
done
# The host finds the in-process server's four entry points by their plain names.
dll="$dir/CorbelwickBookmarks.dll"
if [ -e "$dll" ]; then
  exports="$(i686-w64-mingw32-objdump -p "$dll" |
    sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')"
  if [ "$exports" != "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ]; then
    echo "build-windows: CorbelwickBookmarks.dll exports '$exports'" >&2
    exit 1
  fi
fi

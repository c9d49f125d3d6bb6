#!/usr/bin/env bash
# Cross-builds the system for Windows with mingw-w64:
#   scripts/build-windows.sh                        both: 32-bit in build/windows/, 64-bit in
#                                                   build/windows64/
#   scripts/build-windows.sh 32|64 [DIR] [cmake options...]   one of them
# The 32-bit build is the one the host loads (CorbelwickBookmarks.dll); the 64-bit build runs the
# same tests under 64-bit wine, which every machine of ours has. The programs link their C++
# runtime statically and need nothing beside them on a Windows machine; scripts/test-windows.sh
# runs the tests under wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

if (($# == 0)); then
  "$0" 32
  "$0" 64
  exit
fi

bits="$1"
shift
case "$bits" in
  32) triple=i686-w64-mingw32 default_dir="$root/build/windows" ;;
  64) triple=x86_64-w64-mingw32 default_dir="$root/build/windows64" ;;
  *) echo "build-windows: the first argument is 32 or 64, not '$bits'" >&2; exit 2 ;;
esac
dir="${1:-$default_dir}"
shift || true

echo "-- building for $bits-bit Windows in $dir"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-${triple%%-*}.cmake" \
  -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"

# Only the system's own DLLs may be imported.
for exe in "$dir"/*.exe "$dir"/*.dll; do
  [ -e "$exe" ] || continue
  extra="$("$triple-objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' |
    grep -viE '^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|version|msvcrt|ws2_32|comdlg32|comctl32|shlwapi|ucrtbase|api-ms-win-.*)\.dll$' || true)"
  if [ -n "$extra" ]; then
    echo "build-windows: $(basename "$exe") needs DLLs a Windows machine lacks: $extra" >&2
    exit 1
  fi
done
# The host finds the in-process server's four entry points by their plain names.
dll="$dir/CorbelwickBookmarks.dll"
if [ -e "$dll" ]; then
  exports="$("$triple-objdump" -p "$dll" |
    sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')"
  if [ "$exports" != "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ]; then
    echo "build-windows: CorbelwickBookmarks.dll exports '$exports'" >&2
    exit 1
  fi
fi

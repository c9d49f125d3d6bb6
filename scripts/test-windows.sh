#!/usr/bin/env bash
# Builds the system for 32-bit Windows (scripts/build-windows.sh) and runs its tests under wine in
# a fresh 32-bit prefix, then plays the project's session scripts with the Linux and the Windows
# runner and compares them (when the Linux build is there: scripts/test-windows.sh [LINUX_BUILD]).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/windows"
linux_build="${1:-$root/build/release}"
source "$root/scripts/part-timer.sh"

part "build: windows"
"$root/scripts/build-windows.sh" "$build"

# A fresh prefix each run: wine fixes a prefix's architecture when it makes it, and the first
# start sets it up; started once before the tests run in parallel, since concurrent first starts
# fail.
# In memory where the machine has a RAM disk: the prefix holds drive C: and its temporary folder,
# where the tests make their drives, and every durable write of the system flushes.
prefix_base=/dev/shm
[ -d "$prefix_base" ] && [ -w "$prefix_base" ] || prefix_base="${TMPDIR:-/tmp}"
prefix="$(mktemp -d "$prefix_base/cw-wine-XXXXXX")"
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap cleanup EXIT
part "wine prefix: $prefix"
wineboot --init >/dev/null 2>&1
# The virtual display has no window manager: wine would wait two seconds for one at every window
# it hides, unless it manages its windows itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w

part "tests: windows"
# The tests that show windows need a display: a virtual one for the whole run, so that wine's
# processes, started by the first test, all have it.
xvfb-run -a ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

if [ -x "$linux_build/corbelwick-session" ]; then
  part "same sessions on linux and windows"
  # corbelwick-host.exe makes the command as the host does, from the registry, and shows the
  # module's windows: the module registered and the virtual display again.
  wine regsvr32 /s "Z:${build//\//\\}\\CorbelwickBookmarks.dll"
  # Hosts started while the wineserver that ran regsvr32 still runs were seen to create the
  # command and click it with nothing shown; once it has ended they show the module's windows.
  wineserver -w
  xvfb-run -a "$root/scripts/compare-runners.sh" "$linux_build/corbelwick-session" \
    "$build/corbelwick-session.exe" "$build/corbelwick-host.exe"
fi
part "end"

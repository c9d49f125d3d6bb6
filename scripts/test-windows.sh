#!/usr/bin/env bash
# Builds the system for 32-bit and 64-bit Windows (scripts/build-windows.sh) and runs each
# build's tests under wine of its own architecture in a fresh prefix, then plays the project's
# session scripts with the Linux runner and the Windows runners and compares them (when the
# Linux build is there: scripts/test-windows.sh [LINUX_BUILD]).
# The 64-bit tests run on every machine. The 32-bit ones run where the machine runs 32-bit
# programs (scripts/can-run-32bit.sh); elsewhere the 32-bit build is still made, and one line
# says why its tests did not run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
linux_build="${1:-$root/build/release}"
source "$root/scripts/part-timer.sh"

part "build: windows 32-bit"
"$root/scripts/build-windows.sh" 32 "$root/build/windows"
part "build: windows 64-bit"
"$root/scripts/build-windows.sh" 64 "$root/build/windows64"

# The prefixes live in memory where the machine has a RAM disk: a prefix holds drive C: and its
# temporary folder, where the tests make their drives, and every durable write of the system
# flushes.
prefix_base=/dev/shm
[ -d "$prefix_base" ] && [ -w "$prefix_base" ] || prefix_base="${TMPDIR:-/tmp}"
prefixes=()
cleanup() {
  local prefix
  for prefix in "${prefixes[@]}"; do
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
  done
}
trap cleanup EXIT

# run_windows_tests BITS BUILD_DIR: the build's tests under wine of that architecture, in a
# fresh prefix of its own, and the session scripts compared with the Linux runner.
run_windows_tests() {
  local bits="$1" build="$2" arch loader
  if [ "$bits" = 64 ]; then arch=win64 loader=/usr/lib/wine/wine64; else arch=win32 loader=/usr/lib/wine/wine; fi
  # A fresh prefix each run: wine fixes a prefix's architecture when it makes it, and the first
  # start sets it up; started once before the tests run in parallel, since concurrent first
  # starts fail. Each wine program is started through the loader of the build's architecture:
  # the `wine` wrapper prefers the 32-bit one wherever it is installed.
  local prefix
  prefix="$(mktemp -d "$prefix_base/cw-wine$bits-XXXXXX")"
  prefixes+=("$prefix")
  export WINEPREFIX="$prefix" WINEARCH="$arch" CW_WINE_LOADER="$loader"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  part "wine prefix ($arch): $prefix"
  "$loader" wineboot --init >/dev/null 2>&1
  # The virtual display has no window manager: wine would wait two seconds for one at every
  # window it hides, unless it manages its windows itself.
  "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w

  part "tests: windows $bits-bit"
  # The tests that show windows need a display: a virtual one for the whole run, so that wine's
  # processes, started by the first test, all have it.
  xvfb-run -a ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

  if [ -x "$linux_build/corbelwick-session" ]; then
    part "same sessions on linux and $bits-bit windows"
    # corbelwick-host.exe makes the command as the host does, from the registry, and shows the
    # module's windows: the module registered and the virtual display again.
    "$loader" regsvr32 /s "Z:${build//\//\\}\\CorbelwickBookmarks.dll"
    # Hosts started while the wineserver that ran regsvr32 still runs were seen to create the
    # command and click it with nothing shown; once it has ended they show the module's windows.
    wineserver -w
    xvfb-run -a "$root/scripts/compare-runners.sh" "$linux_build/corbelwick-session" \
      "$build/corbelwick-session.exe" "$build/corbelwick-host.exe"
  fi
}

run_windows_tests 64 "$root/build/windows64"

part "32-bit probe"
if why_not="$("$root/scripts/can-run-32bit.sh")"; then
  run_windows_tests 32 "$root/build/windows"
else
  echo "-- the 32-bit Windows tests were not run on this machine: $why_not; the 32-bit build was made"
fi
part "end"

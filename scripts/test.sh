#!/usr/bin/env bash
# Checks that the tree is as clang-format makes it, builds the project and runs every test: once
# in a normal build (with the Qt front end on the offscreen platform) and once under
# AddressSanitizer and UndefinedBehaviorSanitizer. Both runs
# include the fuzz_*_replay tests: every fuzz target once over its seed corpus and its kept crash
# inputs (fuzzing itself is scripts/fuzz.sh). Then the 32-bit and 64-bit Windows builds and their
# tests under wine (the 32-bit ones where the machine runs 32-bit programs),
# and the session scripts played by the Linux and the Windows runner (scripts/test-windows.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"

source "$root/scripts/part-timer.sh"

part "format"
"$root/scripts/check-format.sh"

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

part "build: release"
"$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo
part "tests: release"
ctest --test-dir "$root/build/release" --output-on-failure -j "$jobs"

part "build: sanitizers"
"$root/scripts/build.sh" "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DCW_SANITIZE=ON \
  -DCW_BUILD_QT=OFF
part "tests: sanitizers"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build/sanitize" --output-on-failure -j "$jobs"

part "windows (its parts timed by scripts/test-windows.sh)"
"$root/scripts/test-windows.sh" "$root/build/release"
part "end"
echo "-- the whole test command: $SECONDS s"

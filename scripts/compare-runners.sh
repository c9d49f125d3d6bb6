#!/usr/bin/env bash
# Plays each of the project's end-to-end session scripts (tests/sessions/NAME/: script.session,
# options, drives/X/... as the drives' starting content) with the Linux runner and with the
# Windows runner under wine, each on its own copy of the same drives, and fails unless both
# print the same transcript, end with the same status and leave the same files behind.
#   scripts/compare-runners.sh LINUX_RUNNER WINDOWS_RUNNER.exe [WINDOWS_RUNNER.exe...]
# Each Windows runner is compared with the Linux one in turn: corbelwick-session.exe, and
# corbelwick-host.exe, which plays the scripts through the real windows (it needs the module
# registered and a display). The caller sets up wine (WINEPREFIX, WINEARCH, and CW_WINE_LOADER for the
# loader of the runners' architecture, `wine` if unset), as scripts/test-windows.sh does.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
linux_runner="$1"
shift
windows_runners=("$@")
work="$(mktemp -d "${TMPDIR:-/tmp}/cw-compare-XXXXXX")"
trap 'rm -rf "$work"' EXIT

# The Windows form of a Linux path under wine, whose drive Z: is "/".
windows_path() {
  local path="$1"
  echo "Z:${path//\//\\}"
}

# play SYSTEM CASE_DIR: the runner's transcript in $work/SYSTEM.out, its status in .status.
play() {
  local system="$1" case_dir="$2" drives="$work/$1/drives"
  mkdir -p "$drives/C/Program Files"
  if [ -d "$case_dir/drives" ]; then cp -R "$case_dir/drives/." "$drives/"; fi
  local args=()
  for drive in "$drives"/*; do
    local letter dir="$drive"
    letter="$(basename "$drive")"
    [ "$system" = windows ] && dir="$(windows_path "$drive")"
    args+=(--drive "$letter=$dir")
  done
  if [ -f "$case_dir/script.session" ]; then
    if [ "$system" = windows ]; then
      args+=("$(windows_path "$case_dir/script.session")")
    else
      args+=("$case_dir/script.session")
    fi
  fi
  if [ -f "$case_dir/options" ]; then
    local line
    while read -r line; do
      case "$line" in \#* | "") continue ;; options=*) read -ra extra <<<"${line#options=}"; args+=("${extra[@]}") ;; esac
    done <"$case_dir/options"
  fi
  local status=0
  if [ "$system" = windows ]; then
    "${CW_WINE_LOADER:-wine}" "$windows_runner" "${args[@]}" >"$work/$system.out" 2>"$work/$system.err" || status=$?
  else
    "$linux_runner" "${args[@]}" >"$work/$system.out" 2>"$work/$system.err" || status=$?
  fi
  echo "$status" >"$work/$system.status"
}

failed=0
cases=0
for windows_runner in "${windows_runners[@]}"; do
  runner_name="$(basename "$windows_runner")"
  for case_dir in "$root"/tests/sessions/*/; do
    case_dir="${case_dir%/}"
    name="$(basename "$case_dir")"
    rm -rf "$work/linux" "$work/windows"
    play linux "$case_dir"
    play windows "$case_dir"
    cases=$((cases + 1))
    problems=()
    cmp -s "$work/linux.status" "$work/windows.status" ||
      problems+=("status $(cat "$work/linux.status") on linux, $(cat "$work/windows.status") on windows")
    cmp -s "$work/linux.out" "$work/windows.out" || problems+=("transcripts differ")
    diff -r "$work/linux/drives" "$work/windows/drives" >"$work/files.diff" || problems+=("files differ")
    if [ "$(cat "$work/linux.status")" != 0 ]; then problems+=("the linux run failed: $(cat "$work/linux.err")"); fi
    if ((${#problems[@]})); then
      failed=$((failed + 1))
      echo "FAIL $name ($runner_name): ${problems[*]}"
      diff "$work/linux.out" "$work/windows.out" | head -20 || true
      head -5 "$work/windows.err"
      head -20 "$work/files.diff"
    else
      echo "ok   $name ($runner_name, $(wc -l <"$work/linux.out") transcript lines)"
    fi
  done
done
echo "compare-runners: $((cases - failed)) of $cases session script runs the same on both systems"
((failed == 0))

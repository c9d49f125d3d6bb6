#!/usr/bin/env bash
# Fuzzes the system with libFuzzer: builds the fuzz targets with clang (coverage, AddressSanitizer
# and UndefinedBehaviorSanitizer), runs each for a bounded time over a working copy of its seed
# corpus, and keeps every crash, timeout or leak input in fuzz/regressions/<target>/, which the
# test suite replays. Prints executions, time, corpus size and crashes per target.
#
#   scripts/fuzz.sh                    # every target, 60 s each
#   scripts/fuzz.sh 10 whole_list      # one target, 10 s
#
# CW_FUZZ_BUILD_DIR chooses the build directory (default build/fuzz), CW_FUZZ_JOBS the build jobs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then targets=(field_reader whole_list name_test import_naming convert_readers); fi
build="${CW_FUZZ_BUILD_DIR:-$root/build/fuzz}"
jobs="${CW_FUZZ_JOBS:-2}"

# Largest input per target: enough for lists of a few hundred records, small enough to stay fast.
declare -A max_len=([field_reader]=4096 [whole_list]=4096 [name_test]=1024 [import_naming]=2048 [convert_readers]=4096)

"$root/scripts/setup.sh"
echo "== build: $build"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCW_BUILD_FUZZ=ON -DCW_BUILD_TESTS=OFF -DCW_BUILD_QT=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target "${targets[@]/#/fuzz_}"

# The temporary drives of the window targets live in memory when possible (fsync is slow).
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
# A small quarantine: freed read buffers would otherwise make every input fault in fresh pages.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=16}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

summary=()
status=0
for target in "${targets[@]}"; do
  binary="$build/fuzz/fuzz_$target"
  work="$build/fuzz-work/$target"
  regressions="$root/fuzz/regressions/$target"
  rm -rf "$work" && mkdir -p "$work/corpus" "$work/artifacts" "$regressions"
  cp "$root/fuzz/corpus/$target/"* "$work/corpus/"
  find "$regressions" -type f ! -name '.*' -exec cp {} "$work/corpus/" \;
  dict="$root/fuzz/bookmarks.dict"
  echo "== fuzz: $target (${seconds} s)"
  start=$(date +%s)
  execs=0
  run=0
  # A crash ends a run: the input is kept and the search goes on for the time that is left.
  while :; do
    left=$((seconds - ($(date +%s) - start)))
    ((left > 0)) || break
    run=$((run + 1))
    set +e
    "$binary" "$work/corpus" -dict="$dict" -max_total_time="$left" \
      -max_len="${max_len[$target]:-4096}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$work/artifacts/" >"$work/log-$run.txt" 2>&1
    set -e
    runs=$({ grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log-$run.txt" || true; } |
      awk '{print $2}')
    if [ -z "$runs" ]; then  # ended by a crash: the last status line counts
      runs=$({ grep -o '^#[0-9]*' "$work/log-$run.txt" || true; } | tail -1 | tr -d '#')
    fi
    execs=$((execs + ${runs:-0}))
    grep -q '^==[0-9]*==ERROR\|^SUMMARY\|FUZZ CHECK FAILED\|deadly signal\|Test unit written' \
      "$work/log-$run.txt" || break
  done
  elapsed=$(($(date +%s) - start))
  corpus=$(find "$work/corpus" -type f | wc -l)
  crashes=0
  for artifact in "$work/artifacts"/*; do
    [ -f "$artifact" ] || continue
    name="$(basename "$artifact")"
    cp "$artifact" "$regressions/$name"
    crashes=$((crashes + 1))
    echo "   kept $regressions/$name"
  done
  if ((crashes > 0)); then status=1; fi
  summary+=("$(printf '%-14s %10s execs %5s s  corpus %5s  crashes %s' "$target" "${execs:-?}" \
    "$elapsed" "$corpus" "$crashes")")
  echo "   logs: $work/log-*.txt"
done

echo "== summary"
printf '%s\n' "${summary[@]}"
exit "$status"

#!/usr/bin/env bash
# Builds the benchmarks in Release, runs them and writes docs/benchmarks.md.
#
#   scripts/bench.sh            lists of 1,000 to 1,000,000 records (a few minutes)
#   scripts/bench.sh --quick    1,000 to 100,000 records, fewer repetitions (for a first look)
#
# CW_BENCH_BUILD_DIR chooses the build directory (default build/bench); CW_BENCH_JOBS the
# parallel build jobs (default 2: the machine is shared). Raw results stay in the build
# directory: results.json, operations.tsv, memory.tsv.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${CW_BENCH_BUILD_DIR:-$root/build/bench}"
jobs="${CW_BENCH_JOBS:-2}"

sizes="1000,10000,100000,1000000"
memory_sizes="100000,1000000"
repetitions=5
if [ "${1:-}" = "--quick" ]; then
  sizes="1000,10000,100000"
  memory_sizes="100000"
  repetitions=3
fi

echo "== build: $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCW_BUILD_BENCHMARKS=ON \
  -DCW_BUILD_QT=OFF -DCW_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target cw_benchmarks
bin="$build/benchmarks/cw_benchmarks"

echo "== times"
"$bin" --cw_list_operations >"$build/operations.tsv"
"$bin" --cw_sizes="$sizes" --cw_repetitions="$repetitions" --cw_large_repetitions=5 \
  --benchmark_display_aggregates_only=true \
  --benchmark_out="$build/results.json" --benchmark_out_format=json

echo "== peak memory"
"$bin" --cw_memory="$memory_sizes" | tee "$build/memory.tsv"

echo "== report"
# The converter's section is measured by its own commands (it says which) and is kept as it is.
report="$root/docs/benchmarks.md"
converter_section=""
if [ -f "$report" ]; then
  converter_section=$(awk '/^## / { keep = ($0 ~ /^## The converter/) } keep' "$report")
fi
python3 "$root/benchmarks/report.py" "$build/results.json" "$build/operations.tsv" \
  "$build/memory.tsv" "$report" "scripts/bench.sh${*:+ $*}"
if [ -n "$converter_section" ]; then
  printf '\n\n%s\n' "$converter_section" >>"$report"
fi
echo "written: $root/docs/benchmarks.md"

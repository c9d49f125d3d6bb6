#!/usr/bin/env bash
# Runs the shared-list soak (three corbelwick-session processes running random commands on one
# list) for longer than the test command does: bash scripts/soak.sh [COMMANDS] [SEEDS]
# (default 500 commands per process, seeds 1 to 5; each seed is one run with other choices).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo
for seed in $(seq 1 "${2:-5}"); do
  CW_SOAK_SEED="$seed" CW_SOAK_ROUNDS="${1:-500}" "$root/build/release/session_tests" \
    --gtest_filter='SharedList.*'
done

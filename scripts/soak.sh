#!/usr/bin/env bash
# Runs the shared-list soak (three corbelwick-session processes on one list) for longer than the
# test command does: bash scripts/soak.sh [ROUNDS] (default 500 rounds per process).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo
CW_SOAK_ROUNDS="${1:-500}" "$root/build/release/session_tests" --gtest_filter='SharedList.*'

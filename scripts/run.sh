#!/usr/bin/env bash
# The main job: builds the system and plays the demo session on the built-in sample map.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$root/build/release/corbelwick-session" --demo "$@"

#!/usr/bin/env bash
# The main job: builds the system and starts the desktop app on the built-in sample map. On a
# machine without a display the app says so and plays its screenshot tour offscreen instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$root/build/release/corbelwick-desktop" "$@"

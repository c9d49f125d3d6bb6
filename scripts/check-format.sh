#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format (root .clang-format) makes of
# it; `scripts/check-format.sh --fix` rewrites them instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
mapfile -t files < <(git ls-files '*.h' '*.cpp')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/cw-format.$$; then
  grep -E "^[^ ].*: (error|warning):" /tmp/cw-format.$$ | cut -d: -f1 | sort -u | sed 's/^/needs clang-format: /'
  rm -f /tmp/cw-format.$$
  echo "run scripts/check-format.sh --fix" >&2
  exit 1
fi
rm -f /tmp/cw-format.$$
echo "clang-format: ${#files[@]} files as formatted"

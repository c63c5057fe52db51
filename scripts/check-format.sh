#!/usr/bin/env bash
# Fails when a C or C++ file of the project differs from what clang-format makes
# of it (the style is in .clang-format). With --fix it formats them instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
mapfile -t files < <(git ls-files '*.h' '*.c' '*.cpp')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=0
for f in "${files[@]}"; do
  if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f (scripts/check-format.sh --fix)"
    bad=1
  fi
done
exit $bad

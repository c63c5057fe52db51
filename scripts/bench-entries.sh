#!/usr/bin/env bash
# Times CollectAllEntries over all classic locations filled with 500 entries
# against the floor of the same reads with bare API calls, under Wine in a
# throw-away prefix. Prints both medians and their ratio (goal: at most 1.5),
# then the will-not-run check of every entry against the reading alone (goal:
# at most 1.2), then the refresh with 50 scheduled tasks (their definitions
# handed out by a stand-in Task Scheduler) and 10 packaged apps (laid out on
# disk and in the registry) against the refresh without those lookups (goal:
# at most 1.3).
#   scripts/bench-entries.sh [runs]      (BUILD_DIR selects the Windows tree)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build/windows}"
runs="${1:-${RUNS:-60}}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target entry_bench >/dev/null
export BM_WINE_RUNDIR="$(mktemp -d "${TMPDIR:-/tmp}/bootmarshal-bench.XXXXXX")"
source "$root/tests/wine/wine-env.sh"
trap bm_wine_cleanup EXIT
bm_use_prefix bench-entries
# Wine reports links to programs on its Z: drive with a note on stderr; only the
# figures matter here.
wine "$build/bench-bin/entry_bench.exe" "$runs" 2> >(grep -v "Read access denied for device" >&2)

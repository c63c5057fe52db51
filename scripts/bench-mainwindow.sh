#!/usr/bin/env bash
# The main window under Wine, on 500 seeded entries in a throw-away prefix:
# RefreshList against CollectAllEntries alone (in one process), then the whole
# start of Bootmarshal.exe to its first painted main window against a floor
# program that only creates a window and collects the entries. Prints medians
# and ratios; not a pass/fail test.
#   scripts/bench-mainwindow.sh [runs]      (BUILD_DIR selects the Windows tree)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build/windows}"
runs="${1:-${RUNS:-30}}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target Bootmarshal listrefresh startfloor starttimer >/dev/null
cp "$build/bin/inactive.exe" "$build/bench-bin/inactive.exe"
export BM_WINE_RUNDIR="$(mktemp -d "${TMPDIR:-/tmp}/bootmarshal-bench.XXXXXX")"
source "$root/tests/wine/wine-env.sh"
trap bm_wine_cleanup EXIT
bm_use_prefix bench-mainwindow
quiet() { "$@" 2> >(grep -v "Read access denied for device" >&2); }
quiet wine "$build/bench-bin/listrefresh.exe" seed || { echo "seeding failed"; exit 1; }
echo "== RefreshList against CollectAllEntries (500 entries)"
quiet wine "$build/bench-bin/listrefresh.exe" "$runs"
echo "== start to the first painted main window against the floor"
quiet wine "$build/bench-bin/starttimer.exe" "$runs" "Z:${build//\//\\}\\bin\\Bootmarshal.exe" \
  "Z:${build//\//\\}\\bench-bin\\startfloor.exe"

#!/usr/bin/env bash
# Times the XML reader on two generated backup files (15 snapshots of 1,000
# entries, and ten times that) against pugixml reading the same files in the
# same run. Prints both times and the ratios.
#   scripts/bench-xml.sh [benchmark options]     (BUILD_DIR selects the tree)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build/bench-native}"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBM_SANITIZE=OFF -DBM_FUZZ=OFF -DBM_BENCH=ON >/dev/null
cmake --build "$build" --target xml_bench >/dev/null
# Repetitions in random order and their median CPU time: the machine is shared.
exec "$build/bench-bin/xml_bench" --benchmark_min_time=0.5 --benchmark_repetitions=9 \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true "$@"

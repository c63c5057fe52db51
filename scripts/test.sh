#!/usr/bin/env bash
# Sets everything up and runs every test: the native tree (pure modules under
# ASan/UBSan, short fuzz runs) and the Windows tree under Wine, every test
# program in a throw-away prefix of its own under a run folder that is deleted
# afterwards.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"
echo "== code style (.clang-format) =="
"$root/scripts/check-format.sh"
"$root/scripts/build.sh" --native

export BM_WINE_RUNDIR="$(mktemp -d "${TMPDIR:-/tmp}/bootmarshal-test.XXXXXX")"
source "$root/tests/wine/wine-env.sh"
trap bm_wine_cleanup EXIT

status=0
echo "== native tree (sanitizers, fuzzers) =="
(cd build/native && ctest --output-on-failure -j2) || status=1
echo "== Windows tree under Wine =="
(cd build/windows && ctest --output-on-failure -j2) || status=1
exit $status

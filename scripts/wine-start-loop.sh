#!/usr/bin/env bash
# Starts one Google Test program under Wine again and again, one process after
# the other in one prefix, the way the test runner starts a program's cases, and
# counts the starts that end without a word: a status other than 0, no byte on
# stdout or stderr and no report. Each such start keeps its files (and, with
# WINEDEBUG set to more than -all, its trace) in the run folder.
#
#   scripts/wine-start-loop.sh [-n RUNS] [-s "PAUSES"] [-f FILTER] [-r|-a] [-k] PROGRAM.exe
#
#   -n RUNS    starts in all (default 200)
#   -s PAUSES  seconds to wait after each start, used in turn (default "0"),
#              e.g. -s "2.5 2.7 2.9 3.0 3.1 3.3 3.5" to sweep around a timeout
#   -f FILTER  the --gtest_filter of every start (default: the first case)
#   -r         start through the test runner (tests/wine/wine-run.sh) as ctest
#              does, prefix selection and all
#   -a         start plain wine, with the kernel's address randomisation, in
#              place of the runner's fixed address layout
#   -k         keep the run folder (prefixes, kept traces) afterwards
#
# BM_WINE_RUNDIR, WINEDEBUG and DISPLAY are honoured as by the test runner.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs=200 pauses="0" filter="" keep=0 runner=0 random=0
while getopts "n:s:f:rak" opt; do
  case "$opt" in
    n) runs=$OPTARG ;;
    s) pauses=$OPTARG ;;
    f) filter=$OPTARG ;;
    r) runner=1 ;;
    a) random=1 ;;
    k) keep=1 ;;
    *) sed -n '8,19p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -eq 1 ] || { sed -n '8,19p' "$0" >&2; exit 2; }
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

export BM_WINE_RUNDIR="${BM_WINE_RUNDIR:-$(mktemp -d "${TMPDIR:-/tmp}/bm-start-loop.XXXXXX")}"
source "$root/tests/wine/wine-env.sh"
[ "$keep" -eq 1 ] || trap bm_wine_cleanup EXIT
name=$(basename "$program" .exe)
[ "$random" -eq 0 ] || BM_WINE_LAYOUT=()
bm_use_prefix "$name"
if [ -z "$filter" ]; then
  filter=$(bm_wine "$program" --gtest_list_tests 2>/dev/null | tr -d '\r' |
    awk '/^[^ ]/ && !/^Running/ { s=$1 } /^  / { print s $1; exit }')
fi
out="$BM_WINE_RUNDIR/starts"
mkdir -p "$out"
read -r -a pause_list <<<"$pauses"
layout=fixed; [ ${#BM_WINE_LAYOUT[@]} -gt 0 ] || layout=random
echo "wine-start-loop: $name --gtest_filter=$filter, $runs starts, pauses: $pauses, address layout $layout, WINEDEBUG=$WINEDEBUG, prefix $WINEPREFIX" >&2

silent=0 failed=0
declare -A silent_after=()
for i in $(seq "$runs"); do
  pause=${pause_list[$(((i - 1) % ${#pause_list[@]}))]}
  rm -f "$out/report.xml"
  log_from=$(stat -c %s "$BM_WINESERVER_LOG" 2>/dev/null || echo 0)
  rc=0
  start=$(date +%s.%N)
  quiet=0
  if [ "$runner" -eq 1 ]; then
    # Through pipes, as ctest reads the runner, which says when a program failed.
    { "$root/tests/wine/wine-run.sh" "$program" "--gtest_filter=$filter" --gtest_also_run_disabled_tests \
      2>&1 1>&3 3>&- | cat >"$out/stderr"; } 3>&1 | cat >"$out/stdout" || rc=1
    if grep -q "^wine-run: .*exited with status" "$out/stderr"; then
      rc=1
      grep -q "Running main()" "$out/stdout" || quiet=1
    fi
  else
    bm_wine "$program" "--gtest_filter=$filter" "--gtest_output=xml:Z:$out/report.xml" \
      >"$out/stdout" 2>"$out/stderr" || rc=$?
    if [ "$rc" -ne 0 ] && [ ! -s "$out/stdout" ] && [ ! -s "$out/report.xml" ] &&
      ! grep -qv '^trace:\|^err:\|^warn:\|^fixme:' "$out/stderr"; then
      quiet=1
    fi
  fi
  took=$(echo "$(date +%s.%N) - $start" | bc)
  if [ "$rc" -ne 0 ]; then
    failed=$((failed + 1))
    if [ "$quiet" -eq 1 ]; then
      silent=$((silent + 1))
      silent_after[${prev_pause:-none}]=$((${silent_after[${prev_pause:-none}]:-0} + 1))
    fi
    keepdir="$out/failed-$i"
    mkdir -p "$keepdir"
    mv "$out/stdout" "$out/stderr" "$keepdir/"
    tail -c +"$((log_from + 1))" "$BM_WINESERVER_LOG" >"$keepdir/wineserver" 2>/dev/null || true
    echo "start $i (after a pause of ${prev_pause:-none} s): status $rc after $took s; kept in $keepdir" >&2
  fi
  prev_pause=$pause
  [ $((i % 100)) -ne 0 ] || echo "wine-start-loop: $i starts, $failed failed, $silent of them silently" >&2
  sleep "$pause"
done
echo "wine-start-loop: $runs starts, $failed failed, $silent of them silently" >&2
for p in "${!silent_after[@]}"; do echo "  silent failures after a pause of $p s: ${silent_after[$p]}" >&2; done
[ "$failed" -eq 0 ]

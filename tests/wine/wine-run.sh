#!/usr/bin/env bash
# CMake's emulator for the Windows tree: runs one test program under Wine in a
# prefix of its own (one per test program, cloned from the run's template), so
# test programs never see each other's registry or files.
set -eu
source "$(dirname "$0")/wine-env.sh"
name=$(basename "$1"); name=${name%.exe}
bm_use_prefix "$name"

# Wine 8's Unix loader now and then trips glibc's assertion in _dl_fini while
# the finished process unloads ("Inconsistency detected by ld.so: dl-fini.c"),
# and glibc then exits with 127 in place of the program's own status. To tell
# that apart from a real failure, a Google Test program also writes its report,
# which it finishes before it returns from main.
args=("$@")
report=""
for arg in "$@"; do
  case "$arg" in --gtest_filter=*)
    report=$(mktemp "${TMPDIR:-/tmp}/bm-report.XXXXXX"); rm -f "$report"
    args+=("--gtest_output=xml:Z:${report}.xml"); break ;;
  esac
done
errors=$(mktemp "${TMPDIR:-/tmp}/bm-stderr.XXXXXX")
output=$(mktemp "${TMPDIR:-/tmp}/bm-stdout.XXXXXX")
# What the prefix's server wrote while this program ran.
show_server_log() {
  if [ -s "${BM_WINESERVER_LOG:-}" ]; then
    tail -c +"$((server_log_from + 1))" "$BM_WINESERVER_LOG" | sed 's/^/wine-run: wineserver said: /' >&2
  fi
}
server_log_from=$(stat -c %s "${BM_WINESERVER_LOG:-}" 2>/dev/null || echo 0)
rc=0
# Into files, not pipes: the wineserver Wine starts keeps a pipe open.
bm_wine "${args[@]}" >"$output" 2>"$errors" || rc=$?
cat "$output"
cat "$errors" >&2
if [ "$rc" -eq 127 ] && [ -n "$report" ] && [ -s "$report.xml" ] \
   && grep -q "Inconsistency detected by ld.so: dl-fini.c" "$errors" \
   && grep -q '<testsuites tests="[1-9][0-9]*" failures="0" disabled="[0-9]*" errors="0"' "$report.xml"; then
  echo "wine-run: $name passed; Wine's loader failed its own unloading afterwards, which is not the program's fault" >&2
  rc=0
fi
# A test program that dies before printing anything (a failed Wine start, a
# crash in start-up code) would otherwise fail without a word.
if [ "$rc" -ne 0 ]; then
  layout=fixed; [ ${#BM_WINE_LAYOUT[@]} -gt 0 ] || layout=random
  echo "wine-run: $name exited with status $rc (prefix $WINEPREFIX, display ${DISPLAY:-none}, address layout $layout)" >&2
  show_server_log
fi
rm -f "$errors" "$output" ${report:+"$report.xml"}
exit "$rc"

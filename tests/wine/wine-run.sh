#!/usr/bin/env bash
# CMake's emulator for the Windows tree: runs one test program under Wine in a
# prefix of its own (one per test program, cloned from the run's template), so
# test programs never see each other's registry or files.
set -eu
source "$(dirname "$0")/wine-env.sh"
name=$(basename "$1"); name=${name%.exe}
bm_use_prefix "$name"
rc=0
wine "$@" || rc=$?
# A test program that dies before printing anything (a failed Wine start, a
# crash in start-up code) would otherwise fail without a word.
if [ "$rc" -ne 0 ]; then
  echo "wine-run: $name exited with status $rc (prefix $WINEPREFIX, display ${DISPLAY:-none})" >&2
fi
exit "$rc"

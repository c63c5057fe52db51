#!/usr/bin/env bash
# Runs the console twin's test in a Wine prefix of its own. $1 Python, $2 the
# test script, $3 the folder of the built program.
set -eu
source "$(dirname "$0")/../wine-env.sh"
bm_use_prefix console_twin_test
# The fixed address layout of the Wine helpers, for every wine the test starts.
exec "${BM_WINE_LAYOUT[@]}" "$1" "$2" "$3"

#!/usr/bin/env bash
# Screenshots of the installer's and uninstaller's windows for the README:
# runs the two clicked-through installer tests under Wine and Xvfb with
# BM_SCREENSHOT_DIR set, then stores the windows as PNG files in docs/installer/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/build.sh"
export BM_WINE_RUNDIR="$(mktemp -d "${TMPDIR:-/tmp}/bootmarshal-shots.XXXXXX")"
source "$root/tests/wine/wine-env.sh"
trap bm_wine_cleanup EXIT
shots="$BM_WINE_RUNDIR/shots"
mkdir -p "$shots"
export BM_SCREENSHOT_DIR="Z:${shots//\//\\}"
(cd build/windows && ctest -R 'InstallerTest\.Clicking' --output-on-failure)
mkdir -p docs/installer
for bmp in "$shots"/*.bmp; do
  convert "$bmp" -strip "docs/installer/$(basename "${bmp%.bmp}").png"
done
ls -l docs/installer

#!/usr/bin/env bash
# Sets everything up and starts Bootmarshal under Wine, in a Wine prefix of the
# project's own (build/wine-prefix), never ~/.wine. Without a display it starts
# Xvfb and says where to look.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
export WINEPREFIX="$root/build/wine-prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The display comes first: a prefix's desktop binds to the display its first
# wineserver saw, and without one it never gets a display driver.
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :77 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  export DISPLAY=:77
  echo "No display: running under Xvfb on :77 (screenshot: DISPLAY=:77 import -window root shot.png)"
  for _ in $(seq 50); do xdpyinfo -display :77 >/dev/null 2>&1 && break; sleep 0.1; done
fi
if [ ! -d "$WINEPREFIX" ]; then
  echo "Creating the Wine prefix $WINEPREFIX (once)..."
  wineboot -i >/dev/null 2>&1
  # Let the set-up's wineserver end, so the program starts in a finished prefix.
  wineserver -w
fi
exec wine "$root/build/windows/bin/Bootmarshal.exe" "$@"

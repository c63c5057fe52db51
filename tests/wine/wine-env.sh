# Sourced by the Wine helpers: the shared per-run state (template prefix,
# per-program prefixes, one Xvfb display) lives under BM_WINE_RUNDIR.
# Nothing here ever touches ~/.wine.
: "${BM_WINE_RUNDIR:=${TMPDIR:-/tmp}/bootmarshal-wine-$(id -u)}"
export BM_WINE_RUNDIR
export WINEDEBUG="${WINEDEBUG:--all}"
# No Gecko or Mono install prompts when a prefix is made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
BM_WINE_HELPERS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

bm_make_template() { # $1: folder of the template prefix
  local t=$1 reg
  WINEPREFIX=$t wineboot -i >/dev/null 2>&1
  reg=$(mktemp --suffix=.reg)
  # Managed=N: without a window manager every hide or destroy otherwise waits 2 s.
  # ShowCrashDialog=0: a crash exits instead of hanging the run.
  # The winemenubuilder value is Wine's own autostart entry; tests start from empty Run keys.
  printf '%s\r\n' 'REGEDIT4' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\RunServices]' '"winemenubuilder"=-' '' >"$reg"
  WINEPREFIX=$t wine regedit /S "$reg" >/dev/null 2>&1
  rm -f "$reg"
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$t/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  WINEPREFIX=$t wineserver -w
}

bm_clone_prefix() { # $1: template, $2: new prefix
  local t=$1 p=$2
  mkdir -p "$p"
  # The big, never-written system folders are hard links; everything a test may
  # write (registry files, profiles, win.ini, users) is a real copy.
  tar -C "$t" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/winsxs -cf - . | tar -C "$p" -xf -
  cp -al "$t/drive_c/windows/system32" "$t/drive_c/windows/winsxs" "$p/drive_c/windows/"
  # Drive Q: is a throw-away folder, so tests can treat a drive root safely.
  mkdir -p "$p/drive_c/qdrive"
  ln -sfn ../drive_c/qdrive "$p/dosdevices/q:"
}

bm_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  if [ ! -s "$BM_WINE_RUNDIR/display" ]; then
    # Large enough for the main window at 144 DPI with its frame.
    Xvfb -displayfd 7 -screen 0 "${BM_XVFB_SCREEN:-1920x1200x24}" -nolisten tcp 7>"$BM_WINE_RUNDIR/display" 9>&- </dev/null >/dev/null 2>&1 &
    echo $! >"$BM_WINE_RUNDIR/xvfb.pid"
    for _ in $(seq 100); do [ -s "$BM_WINE_RUNDIR/display" ] && break; sleep 0.05; done
  fi
  DISPLAY=":$(head -n1 "$BM_WINE_RUNDIR/display")"
  export DISPLAY
}

# Makes (once) and selects the prefix named $1; starts its wineserver for good,
# so that every later wine start in it is warm.
bm_use_prefix() {
  local name=$1
  mkdir -p "$BM_WINE_RUNDIR/prefixes"
  {
    flock 9
    [ -d "$BM_WINE_RUNDIR/template" ] || bm_make_template "$BM_WINE_RUNDIR/template"
    [ -d "$BM_WINE_RUNDIR/prefixes/$name" ] || bm_clone_prefix "$BM_WINE_RUNDIR/template" "$BM_WINE_RUNDIR/prefixes/$name"
    bm_ensure_display
  } 9>"$BM_WINE_RUNDIR/lock"
  export WINEPREFIX="$BM_WINE_RUNDIR/prefixes/$name"
  wineserver -p </dev/null >/dev/null 2>&1 || true
  if [ ! -e "$WINEPREFIX/.warm" ]; then
    # The first process of a session starts Wine's background services, which
    # would otherwise inherit (and hold open) the test runner's output pipes.
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    touch "$WINEPREFIX/.warm"
  fi
}

# Ends every wineserver and Xvfb of the run and deletes its prefixes.
bm_wine_cleanup() {
  local p
  for p in "$BM_WINE_RUNDIR"/prefixes/* "$BM_WINE_RUNDIR/template"; do
    [ -d "$p" ] && WINEPREFIX=$p wineserver -k 2>/dev/null || true
  done
  [ -f "$BM_WINE_RUNDIR/xvfb.pid" ] && kill "$(cat "$BM_WINE_RUNDIR/xvfb.pid")" 2>/dev/null || true
  rm -rf "$BM_WINE_RUNDIR"
}

# Sourced by the Wine helpers: the shared per-run state (template prefix,
# per-program prefixes, one Xvfb display per prefix) lives under BM_WINE_RUNDIR.
# Nothing here ever touches ~/.wine.
: "${BM_WINE_RUNDIR:=${TMPDIR:-/tmp}/bootmarshal-wine-$(id -u)}"
export BM_WINE_RUNDIR
# Wine's own start-up errors (err+virtual) end a process with status 1 and
# would otherwise say nothing about why.
export WINEDEBUG="${WINEDEBUG:--all,err+virtual}"
# No Gecko or Mono install prompts when a prefix is made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
BM_WINE_HELPERS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# Wine's loader (wine64 without wine64-preloader, as Debian ships it) is linked
# at 0x7d000000, and the kernel starts its heap anywhere in the gigabyte above
# it. About one start in 7,700 that heap covers 0x7ffe0000, the page Wine then
# needs for its shared user data, and the process ends with status 1 before
# the program ran ("failed to map the shared user data"). Without address
# randomisation the heap starts right after the loader, far below that page;
# the programs Wine starts inherit that. Where the kernel refuses the switch
# (some container profiles), Wine runs as it is.
BM_WINE_LAYOUT=()
if setarch "$(uname -m)" -R true 2>/dev/null; then
  BM_WINE_LAYOUT=(setarch "$(uname -m)" -R)
fi
bm_wine() { "${BM_WINE_LAYOUT[@]}" wine "$@"; }

bm_make_template() { # $1: folder of the template prefix
  local t=$1 reg
  WINEPREFIX=$t bm_wine wineboot -i >/dev/null 2>&1
  reg=$(mktemp --suffix=.reg)
  # Managed=N: without a window manager every hide or destroy otherwise waits 2 s.
  # ShowCrashDialog=0: a crash exits instead of hanging the run.
  # The winemenubuilder value is Wine's own autostart entry; tests start from empty Run keys.
  # Wine has no Comic Sans MS, the message face: Comic Neue (fonts-comic-neue) is a free look-alike.
  printf '%s\r\n' 'REGEDIT4' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\RunServices]' '"winemenubuilder"=-' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"Comic Sans MS"="Comic Neue"' '' >"$reg"
  WINEPREFIX=$t bm_wine regedit /S "$reg" >/dev/null 2>&1
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

# Each prefix (each test program) gets an X screen of its own. Tests of other
# programs run side by side; on one shared screen their windows took the focus
# and the keys sent with SendInput from each other. A prefix's desktop binds to
# the display its wineserver saw first, so the screen is chosen once per prefix.
# A display the caller set (a developer's own screen) is used as it is.
bm_ensure_display() { # $1: the prefix's name
  [ -n "${DISPLAY:-}" ] && return 0
  local screens="$BM_WINE_RUNDIR/displays" name=${1:-shared}
  mkdir -p "$screens"
  if [ ! -s "$screens/$name" ]; then
    # Large enough for the main window at 144 DPI with its frame.
    Xvfb -displayfd 7 -screen 0 "${BM_XVFB_SCREEN:-1920x1200x24}" -nolisten tcp 7>"$screens/$name" 9>&- </dev/null >/dev/null 2>&1 &
    echo $! >"$screens/$name.pid"
    for _ in $(seq 100); do [ -s "$screens/$name" ] && break; sleep 0.05; done
  fi
  DISPLAY=":$(head -n1 "$screens/$name")"
  export DISPLAY
}

# A print server of the run's own with a PDF printer as its default, so that
# printing tests print for real: Wine finds it through CUPS_SERVER, and every
# job lands as a PDF in $BM_PRINT_OUTPUT. Without cupsd or cups-pdf (or
# without write access to /etc/cups, where cups-pdf reads its settings per
# queue) nothing starts and BM_PRINT_OUTPUT stays unset: printing tests skip.
bm_ensure_printer() {
  local c="$BM_WINE_RUNDIR/cups" queue
  if [ ! -e "$c/tried" ]; then
    mkdir -p "$c" && touch "$c/tried"
    if command -v cupsd >/dev/null && command -v lpadmin >/dev/null && [ -x /usr/lib/cups/backend/cups-pdf ] &&
      [ -w /etc/cups ]; then
      queue="bm$(basename "$BM_WINE_RUNDIR" | tr -cd 'A-Za-z0-9')"
      # cupsd runs filters as its own user: the folders must be reachable.
      chmod 711 "$BM_WINE_RUNDIR"
      mkdir -p "$c/etc" "$c/spool" "$c/tmp" "$c/state" "$c/cache" "$c/log" "$c/out" "$c/pdfspool"
      chmod 755 "$c" "$c/etc" "$c/log" && chmod 1777 "$c/tmp" "$c/out" "$c/pdfspool"
      printf '%s\n' "ServerRoot $c/etc" "RequestRoot $c/spool" "TempDir $c/tmp" "StateDir $c/state" \
        "CacheDir $c/cache" "ServerBin /usr/lib/cups" "DataDir /usr/share/cups" "AccessLog $c/log/access_log" \
        "ErrorLog $c/log/error_log" "PageLog $c/log/page_log" "FileDevice Yes" "SystemGroup root" >"$c/etc/cups-files.conf"
      printf '%s\n' "Listen $c/cups.sock" "WebInterface No" "Browsing No" "LogLevel warn" "DefaultAuthType None" \
        '<Location />' 'Order allow,deny' 'Allow all' '</Location>' \
        '<Policy default>' '<Limit All>' 'Order deny,allow' '</Limit>' '</Policy>' >"$c/etc/cupsd.conf"
      printf '%s\n' "Out $c/out" "Spool $c/pdfspool" "AnonDirName $c/out" "UserUMask 0000" >"/etc/cups/cups-pdf-$queue.conf"
      echo "/etc/cups/cups-pdf-$queue.conf" >"$c/pdf-conf"
      cupsd -f -c "$c/etc/cupsd.conf" -s "$c/etc/cups-files.conf" </dev/null >"$c/log/stdout" 2>&1 9>&- &
      echo $! >"$c/cupsd.pid"
      for _ in $(seq 100); do [ -S "$c/cups.sock" ] && break; sleep 0.05; done
      if CUPS_SERVER="$c/cups.sock" lpadmin -p "$queue" -v "cups-pdf:/$queue" -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd \
        -E >/dev/null 2>&1 && CUPS_SERVER="$c/cups.sock" lpadmin -d "$queue" >/dev/null 2>&1; then
        echo "$queue" >"$c/queue"
      fi
    fi
  fi
  if [ -s "$c/queue" ]; then
    export CUPS_SERVER="$c/cups.sock" BM_PRINT_OUTPUT="$c/out" BM_PRINTER_QUEUE="$(cat "$c/queue")"
  fi
}

# Makes (once) and selects the prefix named $1; starts its wineserver for good,
# so that every later wine start in it is warm.
bm_use_prefix() {
  local name=$1
  mkdir -p "$BM_WINE_RUNDIR/prefixes"
  {
    flock 9
    bm_ensure_printer
    [ -d "$BM_WINE_RUNDIR/template" ] || bm_make_template "$BM_WINE_RUNDIR/template"
    [ -d "$BM_WINE_RUNDIR/prefixes/$name" ] || bm_clone_prefix "$BM_WINE_RUNDIR/template" "$BM_WINE_RUNDIR/prefixes/$name"
    bm_ensure_display "$name"
    export WINEPREFIX="$BM_WINE_RUNDIR/prefixes/$name"
    # Tests of one program run side by side in its prefix: its server and
    # services are started by one of them while the others wait, rather
    # than by all of them at once. They outlive this call, so they must not
    # inherit the lock (descriptor 9) either. The server reports a client it
    # ends for a protocol fault only on its own stderr, so that goes to a log
    # the runner shows when a program fails.
    export BM_WINESERVER_LOG="$BM_WINE_RUNDIR/prefixes/$name.wineserver.log"
    wineserver -p </dev/null >/dev/null 2>>"$BM_WINESERVER_LOG" 9>&- || true
    if [ ! -e "$WINEPREFIX/.warm" ]; then
      # The first process of a session starts Wine's background services, which
      # would otherwise inherit (and hold open) the test runner's output pipes.
      bm_wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
      touch "$WINEPREFIX/.warm"
    fi
  } 9>"$BM_WINE_RUNDIR/lock"
}

# Ends every wineserver and Xvfb of the run and deletes its prefixes.
bm_wine_cleanup() {
  local p
  for p in "$BM_WINE_RUNDIR"/prefixes/* "$BM_WINE_RUNDIR/template"; do
    [ -d "$p" ] && WINEPREFIX=$p wineserver -k 2>/dev/null || true
  done
  for p in "$BM_WINE_RUNDIR"/displays/*.pid; do
    [ -f "$p" ] && kill "$(cat "$p")" 2>/dev/null || true
  done
  [ -f "$BM_WINE_RUNDIR/cups/cupsd.pid" ] && kill "$(cat "$BM_WINE_RUNDIR/cups/cupsd.pid")" 2>/dev/null || true
  [ -f "$BM_WINE_RUNDIR/cups/pdf-conf" ] && rm -f "$(cat "$BM_WINE_RUNDIR/cups/pdf-conf")"
  rm -rf "$BM_WINE_RUNDIR"
}

#!/usr/bin/env bash
# Writes a backup file of entries whose names and commands the ANSI code page
# (Windows-1252) cannot hold, with the program itself: the entries are seeded
# in a throw-away Wine prefix through a UTF-16 registry file (a lone surrogate
# in one value name), "Bootmarshal.com /backup" runs twice (an entry switched
# off by Windows' own switch in between), and the file is copied out.
#   scripts/compat/write-unicode-backup.sh <out.xml> [folder of the built program]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$1"
bin="$(cd "${2:-$root/build/windows/bin}" && pwd)"
export BM_WINE_RUNDIR="$(mktemp -d "${TMPDIR:-/tmp}/bm-fixture.XXXXXX")"
source "$root/tests/wine/wine-env.sh"
trap bm_wine_cleanup EXIT
bm_use_prefix unicode_fixture
export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8

seed() { # $1: Python that prints the registry file's text
  local reg="$BM_WINE_RUNDIR/seed.reg"
  python3 -c "
import codecs, sys
text = $1
sys.stdout.buffer.write(codecs.BOM_UTF16_LE + text.encode('utf-16-le', 'surrogatepass'))" >"$reg"
  wine regedit /s "$(winepath -w "$reg")" >/dev/null 2>&1
}

seed '"""Windows Registry Editor Version 5.00\r
\r
[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r
"Plain"="C:\\\\Tools\\\\plain.exe /s"\r
"Gr\u00fc\u00dfe"="\\"C:\\\\\u00c4rger\\\\tool.exe\\" -x"\r
"\u041f\u0440\u043e\u0432\u0435\u0440\u043a\u0430"="\\"C:\\\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\\\\u043f\u0440\u043e\u0432\u0435\u0440\u043a\u0430.exe\\" /\u0442\u0438\u0445\u043e"\r
"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac"="C:\\\\\u0395\u03c1\u03b3\u03b1\u03bb\u03b5\u03af\u03b1\\\\\u03b1.exe"\r
"\u6d4b\u8bd5"="C:\\\\\u5de5\u5177\\\\\u6d4b\u8bd5.exe --\u5f00"\r
"Smile \U0001f600"="C:\\\\Tools\\\\smile.exe \U0001f600"\r
"Half\ud800"="C:\\\\Tools\\\\half.exe"\r
\r
[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r
"Machine"="C:\\\\Vendor\\\\tray.exe /min"\r
"\u03a9mega"="C:\\\\Vendor\\\\\u03c9.exe"\r
"""'
wine "$bin/Bootmarshal.com" /backup >/dev/null
# Windows' own switch turns the Cyrillic entry off; the second snapshot keeps who did.
seed '"""Windows Registry Editor Version 5.00\r
\r
[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run]\r
"\u041f\u0440\u043e\u0432\u0435\u0440\u043a\u0430"=hex:03,00,00,00,d4,0d,43,8d,c8,3b,d9,01\r
"""'
sleep 1
wine "$bin/Bootmarshal.com" /backup >/dev/null
cp "$(find "$WINEPREFIX/drive_c/users" -name BootmarshalBackup.xml | head -n1)" "$out"

#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run under Wine need,
# when any of them is missing. Safe to run again; needs root (or sudo).
# fp-utils brings chmcmd, which compiles the help files; libchm-bin brings
# extract_chmLib, with which the tests read them back. nsis builds the
# installer; unzip reads the portable zip back.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev ccache clang-format
  g++-mingw-w64-x86-64-posix
  wine wine64 xvfb xauth x11-utils imagemagick fonts-wine fonts-comic-neue
  cups-daemon cups-client printer-driver-cups-pdf poppler-utils
  googletest libbenchmark-dev libpugixml-dev hyperfine locales
  fp-utils libchm-bin
  nsis unzip
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
# German and US regional settings for the date tests (Wine takes the user
# locale from LANG).
for loc in de_DE en_US; do
  locale -a 2>/dev/null | grep -qi "^${loc}.utf-\?8$" || $sudo localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
done

#!/usr/bin/env bash
# The one command for a release: builds the program (Windows tree), its
# installer and its portable zip, copies both into build/release/ and prints
# their sizes and the size of an installation.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
version="$(sed -n 's/^#define BM_VERSION_TEXT "\(.*\)"$/\1/p' build/windows/generated/BootmarshalVersion.h)"
setup="build/windows/release/Bootmarshal-$version-setup.exe"
zip="build/windows/release/Bootmarshal-$version-portable.zip"
[ -s "$setup" ] && [ -s "$zip" ] || { echo "installer or zip was not built (is makensis there?)" >&2; exit 1; }
mkdir -p build/release
rm -f build/release/Bootmarshal-*-setup.exe build/release/Bootmarshal-*-portable.zip
cp "$setup" "$zip" build/release/
# An installation is the shipped files (those of the zip) and the uninstaller.
shipped=$(unzip -Z1 "$zip" | grep -v '/$' | sed "s#^Bootmarshal-$version/##")
installed=0
for f in $shipped; do installed=$((installed + $(stat -c %s "build/windows/bin/$f"))); done
kib() { echo "$(( ($1 + 1023) / 1024 )) KiB ($1 bytes)"; }
echo "Bootmarshal $version"
echo "  installer     build/release/$(basename "$setup")  $(kib "$(stat -c %s "$setup")")"
echo "  portable zip  build/release/$(basename "$zip")  $(kib "$(stat -c %s "$zip")")"
echo "  installed     $(echo "$shipped" | wc -w) files  $(kib "$installed") plus the uninstaller"

#!/usr/bin/env bash
# The portable zip holds one folder named after the version with exactly the
# shipped files, each identical to the built one.
#   check-zip.sh <zip> <bin folder> <folder name in the zip> <files, comma-separated>
set -euo pipefail
zip="$1" bin="$2" top="$3"
IFS=',' read -r -a files <<<"$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
expected="$(printf '%s\n' "${files[@]}" | sort)"
actual="$(cd "$work" && find . -type f | sed 's#^\./##' | sort)"
want="$(printf "$top/%s\n" "${files[@]}" | sort)"
if [ "$actual" != "$want" ]; then
  echo "FAIL: the zip holds"; echo "$actual"; echo "instead of"; echo "$want"; exit 1
fi
for f in $expected; do
  cmp -s "$bin/$f" "$work/$top/$f" || { echo "FAIL: $f differs from the built one"; exit 1; }
done
echo "portable zip: $top with ${#files[@]} files, all as built"

#!/usr/bin/env bash
# Shows that an older version of the program reads the backup files this one
# writes: builds the backup reader of that version (dbe3696 unless another
# commit is given) natively from git history, lets it read the current-format
# files of tests/compat/backup/current/, and compares its reading, entry by
# entry, with what this version wrote (the files' *.read.txt). The older reader
# must read every file, skip what it does not know, and give every entry the
# same name and command in the same place: it must never restore an entry
# under another name. An entry stored in UTF-8 (its name or command outside the
# ANSI code page) must reach it under a kind it knows no location of, so that
# its restore refuses it; there must be as many of those as the file marks
# UTF-8. Not part of CI; needs git, cmake, ninja and clang.
#   scripts/check-compat.sh [commit]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
commit="${1:-dbe3696}"
work="$(mktemp -d "${TMPDIR:-/tmp}/bm-compat.XXXXXX")"
tree="$work/tree"
cleanup() {
  git -C "$root" worktree remove --force "$tree" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

git -C "$root" worktree add --detach "$tree" "$commit" >/dev/null 2>&1
echo "== the backup reader of $(git -C "$root" log -1 --format='%h (%cs)' "$commit"), built natively =="
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S "$tree" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBM_SANITIZE=OFF "${launcher[@]}" >/dev/null
cmake --build "$work/build" --target bm_backup_model >/dev/null
mapfile -t libraries < <(find "$work/build/src" -name '*.a' | sort)
clang++ -std=c++17 -O1 -I"$tree/src" "$root/scripts/compat/ReadBackup.cpp" \
  -Wl,--start-group "${libraries[@]}" -Wl,--end-group -o "$work/read-backup"
clang++ -std=c++17 -O1 -I"$tree/src" "$root/scripts/compat/ReadBlockList.cpp" "$tree/src/blocking/BlockListFormat.cpp" \
  -o "$work/read-blocklist"

status=0
for expected in "$root"/tests/compat/backup/current/*.read.txt; do
  file="${expected%.read.txt}.xml"
  region=us
  case "$file" in *german*) region=german ;; esac
  # What this version wrote, without the fields the older reader cannot know
  # (the last two of each entry line).
  want="$(sed -E 's/^(  [^|]*\|[^|]*\|[^|]*\|[^|]*)\|[^|]*\|[^|]*$/\1/' "$expected")"
  got="$("$work/read-backup" "$region" "$file")"
  entries=$(grep -c '^  ' <<<"$got" || true)
  snapshots=$(grep -c '^snapshot ' <<<"$got" || true)
  marked=$(grep -c '<encoding>utf-8</encoding>' "$file" || true)
  # Kinds outside its location table (a packaged app's startup task, a
  # scheduled task) are read like any other entry, and its restore refuses
  # them: a kind that names no location there.
  unknown="$(grep '^  ' <<<"$got" | cut -d'|' -f2 | sort -un | awk '$1 > 32 && $1 < 300' | tr '\n' ' ')"
  # Line by line: as written, or (a kind it has no location for) refused by the
  # older restore as written, or the same entry under its kind plus 300 and refused.
  verdict="$(awk 'NR == FNR { want[FNR] = $0; n = FNR; next }
    { got[FNR] = $0; m = FNR }
    END {
      refused = 0; differ = (n != m)
      for (i = 1; i <= n && !differ; ++i) {
        if (want[i] == got[i]) continue
        w = want[i]; a = index(w, "|"); rest = substr(w, a + 1); k = index(rest, "|")
        # A kind newer than its location table (above the 32 of win.ini): read
        # as written, and refused by its restore.
        if (substr(rest, 1, k - 1) + 0 > 32 && got[i] == w "|refused") continue
        if (got[i] == substr(w, 1, a) (substr(rest, 1, k - 1) + 300) substr(rest, k) "|refused") ++refused
        else differ = 1
      }
      print differ ? "differ" : refused
    }' <(echo "$want") <(echo "$got"))"
  if [ "$verdict" != differ ] && [ "$verdict" = "$marked" ]; then
    echo "$(basename "$file"): read, $snapshots snapshots, $entries entries: $verdict in UTF-8 refused by its restore" \
      "(a kind it knows no location of), every other one as written"
    [ -z "$unknown" ] || echo "    kinds it has no location for, so never restores: $unknown"
  else
    echo "$(basename "$file"): read DIFFERENTLY ($marked entries marked UTF-8, verdict: $verdict):"
    diff <(echo "$want") <(echo "$got") | sed 's/^/    /' || true
    status=1
  fi
done
echo "== the older block list reader on this version's block lists =="
for expected in "$root"/tests/compat/blocklist/current/*.older.txt; do
  file="${expected%.older.txt}.list"
  if cmp -s <("$work/read-blocklist" "$file") "$expected"; then
    echo "$(basename "$file"): $(wc -l <"$expected") lines in the code page, the rest never seen"
  else
    echo "$(basename "$file"): read DIFFERENTLY:"
    diff <("$work/read-blocklist" "$file" | cat -v) <(cat -v "$expected") | sed 's/^/    /' || true
    status=1
  fi
done
echo "== the older reader on its own files =="
for expected in "$root"/tests/compat/backup/dbe3696/*.read.txt; do
  file="${expected%.read.txt}.xml"
  region=us
  case "$file" in *german*) region=german ;; esac
  if [ "$("$work/read-backup" "$region" "$file")" = "$(cat "$expected")" ]; then
    echo "$(basename "$file"): as recorded"
  else
    echo "$(basename "$file"): NOT as recorded"
    status=1
  fi
done
exit $status

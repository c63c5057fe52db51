#!/usr/bin/env bash
# Reads the built help and documentation files of every shipped language back and
# checks what a user would meet: each compiled help holds its contents page and
# every topic page in its own language, with a table of contents that names them
# all and no link to a page that is not there; each documentation file is one
# self-contained HTML page with its language's title and all topics in it.
#   check-help.sh <extract_chmLib> <bin folder> <help source folder> <pages, comma-separated>
set -uo pipefail
extract="$1" bin="$2" sources="$3"
IFS=',' read -r -a pages <<<"$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# number, source folder, HTML language, words that only that language's contents page holds
languages=(
  "0 de de Inhalt"
  "1 en en Contents"
  "2 fr fr Sommaire"
)
for row in "${languages[@]}"; do
  read -r number folder lang marker <<<"$row"
  chm="$bin/Bootmarshal.c0$number"
  doc="$bin/Bootmarshal.d0$number"
  out="$work/$folder"
  if [ ! -s "$chm" ]; then fail "$chm missing"; continue; fi
  if ! "$extract" "$chm" "$out" >/dev/null 2>&1 || [ ! -d "$out" ]; then fail "$chm cannot be extracted"; continue; fi
  # The help engine looks the contents file up by name; CHM names are case-sensitive inside the file.
  [ -f "$out/toc.hhc" ] || fail "$chm: no table of contents"
  # The contents pane shows names as ANSI text and reads no entities.
  grep -q '&[A-Za-z0-9#]*;' "$out/toc.hhc" && fail "$chm: the table of contents holds entities"
  grep -q 'index.htm' "$out/#SYSTEM" 2>/dev/null || fail "$chm: no default topic"
  for page in "${pages[@]}"; do
    file="$out/$page.htm"
    if [ ! -f "$file" ]; then fail "$chm: $page.htm missing"; continue; fi
    cmp -s "$file" "$sources/$folder/$page.htm" || fail "$chm: $page.htm differs from its source"
    grep -q "<html lang=\"$lang\">" "$file" || fail "$chm: $page.htm is not marked as language $lang"
    grep -qi 'charset=windows-1252' "$file" || fail "$chm: $page.htm names no code page"
    LC_ALL=C grep -q '[^ -~	]' "$file" && fail "$chm: $page.htm holds bytes outside ASCII (write letters as entities)"
    grep -q "value=\"$page.htm\"" "$out/toc.hhc" || fail "$chm: $page.htm is not in the table of contents"
    for target in $(grep -o 'href="[^"#:]*"' "$file" | sed 's/href="\(.*\)"/\1/'); do
      [ -f "$out/$target" ] || fail "$chm: $page.htm links to $target, which the help does not hold"
    done
  done
  grep -q "$marker" "$out/index.htm" || fail "$chm: contents page is not the $lang one (no \"$marker\")"
  [ -f "$out/style.css" ] || fail "$chm: style sheet missing"

  if [ ! -s "$doc" ]; then fail "$doc missing"; continue; fi
  head -c 15 "$doc" | grep -q '<!DOCTYPE HTML' || fail "$doc does not begin as an HTML page"
  grep -q "<html lang=\"$lang\">" "$doc" || fail "$doc is not marked as language $lang"
  title="$(grep -o '<title>[^<]*</title>' "$doc")"
  help_title="$(grep -o '<title>[^<]*</title>' "$sources/$folder/index.htm")"
  [ -n "$title" ] && [ "$title" != "$help_title" ] || fail "$doc has no title of its own ($title)"
  heading="$(grep -o '<h1>[^<]*</h1>' "$doc" | head -1 | sed 's#</*h1>##g')"
  [ "$heading" = "$(sed 's#</*title>##g' <<<"$title")" ] || fail "$doc: the first heading ($heading) is not its title"
  [ "$(tail -c 8 "$doc")" = "</html>" ] || fail "$doc does not end as an HTML page"
  grep -qi 'charset=windows-1252' "$doc" || fail "$doc names no code page"
  grep -q '<link\|src="' "$doc" && fail "$doc needs other files"
  grep -q 'href="[a-z]*\.htm' "$doc" && fail "$doc links to a page outside itself"
  for page in "${pages[@]}"; do
    grep -q "id=\"$page\"" "$doc" || fail "$doc lacks the topic $page"
  done
  for anchor in $(grep -o 'href="#[^"]*"' "$doc" | sed 's/href="#\(.*\)"/\1/' | sort -u); do
    grep -q "id=\"$anchor\"" "$doc" || fail "$doc links to #$anchor, which is not in it"
  done
  grep -q "$marker" "$doc" || fail "$doc is not the $lang one (no \"$marker\")"
done
# Three languages, three different documentation titles.
titles="$(for n in 0 1 2; do grep -o '<title>[^<]*</title>' "$bin/Bootmarshal.d0$n"; done | sort -u | wc -l)"
[ "$titles" -eq 3 ] || fail "the documentation titles of the languages are not all different"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "help and documentation of ${#languages[@]} languages, ${#pages[@]} pages each: fine"

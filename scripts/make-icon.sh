#!/usr/bin/env bash
# Draws the program icon (src/app/Bootmarshal.ico) with ImageMagick: a blue
# rounded square with a white start arrow and a green tick, the same emblem the
# program draws at run time. Run it again after changing the drawing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Coordinates are given on a 32-unit square and scaled to each size.
scale() { awk -v s="$1" 'BEGIN { getline line < "/dev/stdin"; n = split(line, v, " ");
  for (i = 1; i <= n; i++) printf "%s%s", (v[i] ~ /^[0-9.]+$/ ? v[i] * s : v[i]), (i < n ? " " : "") }'; }
for size in 16 24 32 48 64 256; do
  s=$(awk -v z="$size" 'BEGIN { print z / 32 }')
  box=$(echo "roundrectangle 1 1 30.9 30.9 6 6" | scale "$s" | awk '{ print $1, $2","$3, $4","$5, $6","$7 }')
  arrow=$(echo "8 6 25 15.5 8 25" | scale "$s" | awk '{ print "polygon", $1","$2, $3","$4, $5","$6 }')
  circle=$(echo "24 24 24 17" | scale "$s" | awk '{ print "circle", $1","$2, $3","$4 }')
  tick=$(echo "20.5 24 23 26.5 27.5 21" | scale "$s" | awk '{ print "polyline", $1","$2, $3","$4, $5","$6 }')
  convert -size "${size}x${size}" xc:none \
    -fill '#1e5ab4' -stroke '#14326e' -strokewidth "$s" -draw "$box" \
    -fill white -stroke none -draw "$arrow" \
    -fill '#289638' -stroke white -strokewidth "$(awk -v s="$s" 'BEGIN { print 1.5 * s }')" -draw "$circle" \
    -fill none -stroke white -strokewidth "$(awk -v s="$s" 'BEGIN { print 2.2 * s }')" -draw "$tick" \
    "$work/icon-$size.png"
done
convert "$work"/icon-{16,24,32,48,64,256}.png "$root/src/app/Bootmarshal.ico"
echo "wrote src/app/Bootmarshal.ico"

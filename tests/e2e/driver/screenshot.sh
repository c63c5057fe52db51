#!/bin/sh
# Saves a PNG of the X display (whole, or the geometry WxH+X+Y) to $1; the file
# appears only once it is complete. Run by the end-to-end driver through Wine.
out=$1
geometry=${2:-root}
tmp="$out.part.png"
if [ "$geometry" = root ]; then
  import -window root "$tmp" 2>/dev/null
else
  import -window root -crop "$geometry" +repage "$tmp" 2>/dev/null
fi && mv -f "$tmp" "$out"

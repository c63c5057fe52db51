#!/bin/sh
# Every word of a PDF with its box in points, as pdftotext -bbox writes them;
# the output file appears only once complete. Run by the printing test through Wine.
pdftotext -bbox "$1" "$2.part" 2>/dev/null && mv -f "$2.part" "$2"

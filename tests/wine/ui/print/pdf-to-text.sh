#!/bin/sh
# Text of a PDF, pages separated by form feeds; the output file appears only
# once complete. Run by the printing test through Wine.
pdftotext -layout "$1" "$2.part" 2>/dev/null && mv -f "$2.part" "$2"

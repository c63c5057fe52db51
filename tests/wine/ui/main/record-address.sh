#!/bin/sh
# Stands in for the browser and the mail program in tests: Wine's winebrowser
# runs it with the address, which is appended to C:\bm-addresses.log of the
# prefix it runs in.
printf '%s\n' "$1" >>"${WINEPREFIX:-$HOME/.wine}/drive_c/bm-addresses.log"

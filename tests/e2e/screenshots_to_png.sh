#!/bin/sh
# Turns the end-to-end tests' BMP screenshots in folder $1 into PNG files.
set -e
cd "$1" 2>/dev/null || { echo "no screenshots in $1"; exit 0; }
for bmp in *.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png"
  rm -f "$bmp"
  echo "${1}/${bmp%.bmp}.png"
done

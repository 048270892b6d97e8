#!/usr/bin/env bash
# Makes Tavlin's icon (control/tavlinar.ico, which the program, the setup
# programs, their uninstaller and the installed programs' entry wear) from
# its one source picture, control/icon/tavlinar.mvg: the sizes Windows asks
# for, 16, 20, 24, 32, 40, 48 and 64 pixels as bitmaps and 256 as PNG, each
# drawn from the 256-pixel picture. Run it after changing the picture and
# commit both; the same picture gives the same bytes (no dates inside).
#   bash scripts/make-icon.sh [OUT.ico]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/control/tavlinar.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -background none -size 256x256 "mvg:$root/control/icon/tavlinar.mvg" "$work/256.png"
sizes=()
for size in 64 48 40 32 24 20 16; do
  sizes+=('(' -clone 0 -resize "${size}x${size}" ')')
done
convert "$work/256.png" "${sizes[@]}" -strip -define png:exclude-chunks=date,time "$out"

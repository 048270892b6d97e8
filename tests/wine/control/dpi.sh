#!/usr/bin/env bash
# The window at 96, 144 and 192 DPI (the display's LogPixels), in English
# and German: every text fitting its control, its size measured and at 192
# at least 1.8 times that at 96, each photographed (tavlinar-96dpi.png ...).
# Told of a monitor of another DPI, as a per-monitor window is, it is made
# again at that DPI, as large as one started there, the boxes as they were.
# Nothing here presses OK, which would start the 32-bit regsvr32.
source "$(dirname "$0")/lib.sh" "$@"
in_ascii_folder
dir="$WINEPREFIX/drive_c/tavlin-test"
set_dpi() { reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null; }
sizes() { tr -d '\r' <"$dir/driver.txt" | sed -n 's/^size: //p' | tr '\n' ' ' | sed 's/ $//'; }
declare -A size
for dpi in 96 144 192; do
  set_dpi "$dpi"
  drive_photographed "$shots/tavlinar-${dpi}dpi.png" window fits size @shot cancel exited ||
    fail "$dpi dpi: $(tr -d '\r' <"$dir/driver.txt")"
  size[$dpi]=$(sizes)
  { LC_ALL=de_DE.UTF-8 drive window fits size cancel exited >"$dir/driver.txt" 2>&1; } 2>/dev/null ||
    fail "$dpi dpi, German: $(tr -d '\r' <"$dir/driver.txt")"
  size[$dpi,de]=$(sizes)
  echo "Tavlinar at $dpi dpi: ${size[$dpi]}, German ${size[$dpi,de]}"
done
for lang in "" ,de; do
  IFS=x read -r w96 h96 <<<"${size[96$lang]}"
  IFS=x read -r w192 h192 <<<"${size[192$lang]}"
  ((w192 * 10 >= w96 * 18 && h192 * 10 >= h96 * 18)) ||
    fail "${lang:-English}: ${size[192$lang]} at 192 dpi is not 1.8 times ${size[96$lang]} at 96"
done

# Started at 96 and moved to 192, 144 and back: each time the size of the
# window started there, every text fitting, the boxes clicked still set.
set_dpi 96
drive window click 3 click 5 size dpi 192 fits size dpi 144 fits size dpi 96 fits size \
  boxes 101101000001 cancel exited >"$dir/driver.txt" 2>&1 || fail "per monitor: $(tr -d '\r' <"$dir/driver.txt")"
want="${size[96]} ${size[192]} ${size[144]} ${size[96]}"
[[ $(sizes) == "$want" ]] || fail "per monitor: sizes $(sizes), not $want"
echo PASS

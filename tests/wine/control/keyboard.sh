#!/usr/bin/env bash
# The window from the keyboard alone: focus rectangles shown from the
# start, Tab visiting every control in reading order (the boxes top to
# bottom and column by column, OK, Cancel, the tabs) and skipping a box a
# policy locks, Shift+Tab going back, Ctrl+Tab switching the page and back,
# Space toggling the box with the focus, Esc closing the window as Cancel
# does. (Enter pressing OK is ok.sh's, which runs the 32-bit regsvr32.)
source "$(dirname "$0")/lib.sh" "$@"
dir="$WINEPREFIX/drive_c/tavlin-test"
# "Insert" locked on by the user's policy: greyed, and Tab passes it by.
reg add 'HKCU\Software\Policies\Drevalo\Tavlinar' /v Insert /t REG_DWORD /d 1 /f >/dev/null
walk=()
for to in box1 box2 box11 box3 box5 box6 box9 box8 box7 box10 ok cancel tabs box0; do
  walk+=(key tab focus "$to")
done
drive window focusshown page 0 boxes 111010000000 focus box0 "${walk[@]}" \
  key shift+tab focus tabs key shift+tab focus cancel \
  key ctrl+tab page 1 key ctrl+tab page 0 key ctrl+shift+tab page 1 key ctrl+tab page 0 \
  focus cancel key tab focus tabs key tab focus box0 key tab focus box1 \
  key space boxes 101010000000 key space boxes 111010000000 \
  key escape exited >"$dir/driver.txt" 2>&1 || fail "$(tr -d '\r' <"$dir/driver.txt")"
[[ $(stored Classic) == missing ]] || fail "Esc stored the settings"
echo PASS

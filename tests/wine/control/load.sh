#!/usr/bin/env bash
# Stored settings open the window with the boxes the rules give; a letter
# under "Left" costs one error box at line 106 and leaves box 1 as it was.
# The About page's title is the program's name, not its design placeholder.
source "$(dirname "$0")/lib.sh" "$@"

drive window boxes 111000000000 noerrorbox title Tavlinar cancel exited || fail "empty store"

for k in Classic Left All; do reg add "$store" /v $k /t REG_SZ /d 0 /f >/dev/null; done
reg add "$store" /v Review /t REG_SZ /d 1 /f >/dev/null
drive window boxes 100000001001 noerrorbox cancel exited || fail "Review 1"

reg delete "$store" /f >/dev/null
reg add "$store" /v Left /t REG_SZ /d x /f >/dev/null
reg add "$store" /v Home /t REG_SZ /d 1 /f >/dev/null
text='Type mismatch\r\nin TavlinPanel2016/06/15.Form1.Form_Initialize at line 106\r\rPlease email screenshot of this message to support@drevalo.example'
drive errorbox "$text" window noerrorbox boxes 101100000000 cancel exited || fail "Left holding a letter"
echo PASS

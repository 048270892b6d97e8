#!/usr/bin/env bash
# Tavlinar under Group Policy: a box whose key policy sets shows the
# policy's state greyed, the window says that the administrator manages
# some settings and which policy value it ignores and why; the rules go
# round the locked boxes; OK stores the window's states but keeps the
# user's own text under a key the window could not show as stored,
# switches the add-in by the state it will obey (Classic locked off: off)
# and leaves the policy as it was. With the policy gone the window is the
# user's again.
# The locked window is photographed: policy-word-page-<arch>.png in the
# screenshot folder.
source "$(dirname "$0")/../control/lib.sh" "$@"
arch=$([[ $tavlinar_bits == 64 ]] && echo x86_64 || echo i686)
computer='HKLM\Software\Policies\Drevalo\Tavlinar'
user='HKCU\Software\Policies\Drevalo\Tavlinar'

reg add "$store" /v Left /t REG_SZ /d 1 /f >/dev/null
reg add "$computer" /v Home /t REG_DWORD /d 1 /reg:64 /f >/dev/null
reg add "$computer" /v 'hide built-in TABS' /t REG_DWORD /d 1 /reg:64 /f >/dev/null
reg add "$computer" /v Developer /t REG_SZ /d yes /reg:64 /f >/dev/null
reg add "$user" /v All /t REG_SZ /d 0 /f >/dev/null
note='Some settings are managed by your administrator.\nThe computer policy for "Developer" is ignored: the text "yes" is not 0 or 1.'

# Box 1 cannot be set against the locked Home box (and so loads cleared
# although the user stored 1); box 4 sets as ever; the greyed boxes take no
# click.
c="$WINEPREFIX/drive_c/tavlin-test"
drive_photographed "$shots/policy-word-page-$arch.png" \
  window noerrorbox boxes 100100000001 enabled 110011111110 note "$note" @shot \
  click 1 boxes 100100000001 click 2 click 3 click 11 boxes 100100000001 \
  click 4 boxes 100110000001 ok exited ||
  fail "locked window: $(tr -d '\r' <"$c/driver.txt")"

# OK stored the window's states, but under the locked keys (All, Home,
# the hide switch) their defaults, which the user had, and under Left the
# 1 the user had; it switched the add-in on; the policy is as the
# administrator left it.
expect=(Classic=1 Left=1 All=1 Home=0 Insert=1 "Page Layout=0" References=0 View=0 Review=0
        Mailings=0 Developer=0 "Hide built-in tabs=0")
for pair in "${expect[@]}"; do
  got=$(stored "${pair%%=*}")
  [[ $got == "${pair#*=}" ]] || fail "${pair%%=*} holds '$got', expected ${pair#*=}"
done
[[ $(value "$addin_key" LoadBehavior) == 0x3 ]] || fail "not switched on: $(reg query "$addin_key")"
[[ $(value "$computer" Home) == 0x1 && $(value "$user" All) == 0 ]] ||
  fail "OK changed the policy: $(reg query "$computer"; reg query "$user")"

# Classic locked off by the user policy: box 0 greyed and cleared, OK
# switches the add-in off although the user's own store says on (All
# stays locked by the user policy).
reg delete "$computer" /reg:64 /f >/dev/null
reg add "$user" /v Classic /t REG_DWORD /d 0 /f >/dev/null
drive window noerrorbox boxes 010010000001 enabled 010111111111 \
  note 'Some settings are managed by your administrator.' \
  click 0 boxes 010010000001 ok exited || fail "Classic locked off"
[[ $(stored Classic) == 1 ]] || fail "Classic holds '$(stored Classic)', not the user's 1"
if key_exists "$addin_key"; then fail "Classic locked off did not switch the add-in off"; fi

# A click into the note leaves Esc to the window (Cancel: nothing stored).
reg add "$store" /v Review /t REG_SZ /d 1 /f >/dev/null
drive window clicknote key escape exited || fail "Esc after a click into the note"
[[ $(stored Review) == 1 ]] || fail "Esc from the note stored the window"

# The policy gone: every box the user's, no note, the user's values back.
reg delete "$user" /f >/dev/null
drive window noerrorbox boxes 111010001001 enabled 111111111111 note '' cancel exited ||
  fail "policy removed"
echo PASS

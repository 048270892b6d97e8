#!/usr/bin/env bash
# The rules through real clicks, Space on the focused box, Esc and the close
# box; none of it writes the store.
source "$(dirname "$0")/lib.sh" "$@"

drive window boxes 111000000000 \
  click 0 boxes 000000000000 \
  click 0 boxes 111000000000 \
  click 11 boxes 101111111111 \
  click 7 boxes 101111101111 \
  click 11 boxes 101000000000 \
  click 3 boxes 101100000000 \
  click 1 boxes 111000000000 \
  click 7 boxes 111000010001 \
  click 2 boxes 110000010001 \
  key space boxes 111000010001 \
  key escape exited || fail "clicks, Space and Esc"

drive window click 9 boxes 111000000101 closebox exited || fail "close box"
if key_exists "$store"; then fail "the store was written"; fi
if key_exists "$addin_key"; then fail "the add-in was switched"; fi
[[ ! -e $log ]] || fail "Word was started"
echo PASS

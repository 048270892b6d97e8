#!/usr/bin/env bash
# Cancel after changes leaves the store, the add-in and Word alone.
source "$(dirname "$0")/lib.sh" "$@"

for k in Classic Left All; do reg add "$store" /v $k /t REG_SZ /d 1 /f >/dev/null; done
reg add "$addin_key" /v Marker /t REG_SZ /d kept /f >/dev/null
before=$(wine_reg_query "$store"; wine_reg_query "$addin_key")
drive window click 0 click 10 boxes 100000000011 cancel exited || fail "Cancel"
after=$(wine_reg_query "$store"; wine_reg_query "$addin_key")
[[ $before == "$after" ]] || fail "Cancel changed the registry: $after"
[[ ! -e $log ]] || fail "Word was started"
echo PASS

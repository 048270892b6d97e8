#!/usr/bin/env bash
# The registered add-in called through IDispatch by a client that gets
# every argument wrong: each call answers with its automation error code,
# alike through every interface, and nothing crashes.
set -uo pipefail
template=$1 work=$2 dll=$3 probe=$4 wine_env=$5 regsvr32=$6
source "$wine_env" "$template" "$work"

folder="$WINEPREFIX/drive_c/Program Files/Tavlin"
mkdir -p "$folder"
cp "$dll" "$folder/TavlinAddin.dll"
cp "$probe" "$folder/dispatch-probe.exe"

"$WINE" "$regsvr32" /s 'C:\Program Files\Tavlin\TavlinAddin.dll'
rc=$?
[[ $rc == 0 ]] || { echo "FAIL: regsvr32 /s exited $rc"; exit 1; }

(cd "$folder" && timeout 60 "$WINE" dispatch-probe.exe) >"$work/probe.out" 2>&1
rc=$?
out=$(tr -d '\r' <"$work/probe.out")
echo "$out"
# A crash would end the probe before its summary line.
grep -q '^0 failure(s)$' <<<"$out" || { echo "FAIL: probe exited $rc"; exit 1; }
[[ $rc == 0 ]] || { echo "FAIL: probe exited $rc"; exit 1; }

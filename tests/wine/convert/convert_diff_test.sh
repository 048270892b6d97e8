#!/usr/bin/env bash
# Runs the conversion comparison in a private prefix; its own exit status
# (non-zero on any mismatch) is the test's. CONVERT_DIFF_ARGS passes e.g.
# "--seed 7 --count 20000" through for a wider search by hand.
set -uo pipefail
template=$1 work=$2 exe=$3 wine_env=$4
source "$wine_env" "$template" "$work"
cp "$exe" "$WINEPREFIX/drive_c/convert_diff.exe"
# shellcheck disable=SC2086
"$WINE" 'C:\convert_diff.exe' ${CONVERT_DIFF_ARGS:-} | tr -d '\r'
rc=${PIPESTATUS[0]}
wineserver -w
exit "$rc"

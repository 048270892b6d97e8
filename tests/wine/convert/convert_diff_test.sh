#!/usr/bin/env bash
# Runs the conversion comparison in a private prefix; its own exit status
# (non-zero on any mismatch) is the test's. Given a second build's
# convert_diff (the i686 build gives the x86_64 one), that one runs over the
# same texts against its own runtime, and the two cores must agree on every
# result (their digests). CONVERT_DIFF_ARGS passes e.g. "--seed 7 --count
# 20000" through for a wider search by hand.
set -uo pipefail
template=$1 work=$2 exe=$3 wine_env=$4 other=${5:-}
source "$wine_env" "$template" "$work"
run() { # EXE LOG: the comparison's output in LOG, its exit status returned
  cp "$1" "$WINEPREFIX/drive_c/convert_diff.exe"
  # shellcheck disable=SC2086
  "$WINE" 'C:\convert_diff.exe' ${CONVERT_DIFF_ARGS:-} >"$2.raw" 2>&1
  local rc=$?
  tr -d '\r' <"$2.raw" >"$2"
  return $rc
}
run "$exe" "$work/own.log"
rc=$?
cat "$work/own.log"
((rc == 0)) || exit "$rc"
[[ -z $other ]] && exit 0

echo "-- the other build's convert_diff over the same texts:"
run "$other" "$work/other.log"
rc=$?
cat "$work/other.log"
((rc == 0)) || { echo "FAIL: the other build's comparison exited $rc"; exit 1; }
own=$(grep '^core results digest: ' "$work/own.log")
theirs=$(grep '^core results digest: ' "$work/other.log")
[[ -n $own && $own == "$theirs" ]] || { echo "FAIL: the builds' cores differ: '$own' against '$theirs'"; exit 1; }
echo "both builds' cores agree on every result ($own)"

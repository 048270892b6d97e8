#!/usr/bin/env bash
# What the Wine tests run their Windows programs with ($WINE, set by
# wine-env.sh): Wine's loader (TAVLIN_WINE_LOADER), started once more when
# it could not start the program at all. Under load a program has now and
# then failed in its loader with "could not load kernel32.dll" (status
# 0xC0000135, which Linux sees as exit code 53) before any of its code ran;
# no program the tests start ends with 53 by itself. Signals are handed on,
# so a test that stops a program it started in the background stops it.
# Such a start again is a rerun too, only a smaller one: it is written to
# TAVLIN_RESTART_LOG as well, when set, and scripts/test.sh counts it.
loader=${TAVLIN_WINE_LOADER:?the Wine loader}
child=
trap '[[ -n $child ]] && kill -TERM "$child" 2>/dev/null; exit 143' TERM INT HUP
for attempt in 1 2 3; do
    "$loader" "$@" &
    child=$!
    wait "$child"
    rc=$?
    child=
    if ((rc != 53 || attempt == 3)); then
        exit "$rc"
    fi
    msg="wine-run: Wine could not start $1 (exit code 53, its loader's 0xC0000135); starting it again"
    echo "$msg" >&2
    [[ -n ${TAVLIN_RESTART_LOG:-} ]] && echo "${WINEPREFIX:-?}: $msg" >>"$TAVLIN_RESTART_LOG"
    sleep 1
done

# Sourced by the signing tests: their checks' report, one line a check, and
# the exit status at the end.
failures=0
ok() { echo "  ok   $*"; }
bad() {
    echo "  FAIL $*"
    failures=$((failures + 1))
}
# finish MESSAGE: exit 1 naming how many checks failed, else MESSAGE.
finish() {
    if ((failures > 0)); then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "$1"
}

#!/usr/bin/env bash
# The whole suite: native unit tests, then both Windows cross builds with
# their checks, each running its own tests under Wine (the i686 build's in
# Wine's WoW64 form and on a 32-bit Windows). The builds come first, both:
# the x86_64 build packages the i686 files, and the i686 build's tests use
# the x86_64 add-in and installer. Both are signed with a test identity.
# Ends with one line on the 32-bit tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

step() { printf '\n== [%4ds] %s\n' "$SECONDS" "$*"; }

step "native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

# The same tests again under AddressSanitizer and UndefinedBehaviorSanitizer:
# the text tables and the document writers index fixed arrays, where a slip
# would pass unseen in an optimised build.
step "native unit tests under ASan and UBSan"
cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize
ctest --preset native-sanitize

# Both Windows builds are signed, with a test identity of their own (a test
# CA, its key in a SoftHSM2 token): every other test then runs on signed
# files, as they ship.
step "test signing identity"
eval "$(bash scripts/test-identity.sh build/test-identity)"

for arch in i686 x86_64; do
  step "Windows $arch build"
  cmake --preset mingw-$arch >/dev/null
  cmake --build --preset mingw-$arch
done

# A failed Wine test is run once more, alone: a failure that comes back
# fails the run, one that does not is still a fault to find, so every
# rerun is named in the last lines and the run reported as one with reruns.
# Inside a test the harness also starts again a Windows program Wine could
# not start at all (scripts/wine-run.sh, msiexec's batch); each says so in
# this log, counted in the last lines beside the reruns.
export TAVLIN_RESTART_LOG=$PWD/build/wine-restarts.log
: >"$TAVLIN_RESTART_LOG"
status=0
reran=()
# A Wine test waits much of its time (on a window, on Wine's services), so
# three run beside each other on two cores. Where 32-bit programs go
# through an emulator the i686 build's tests keep the processor busy
# already, and a third only slows the other two.
# What runs the 32-bit programs, when it is an emulator (empty otherwise).
emulator=$(bash scripts/kernel-32bit.sh 2>/dev/null) || emulator=
for arch in i686 x86_64; do
  step "Windows $arch tests"
  jobs=()
  [[ $arch == i686 && -n $emulator ]] && jobs=(-j2)
  if ! ctest --preset mingw-$arch "${jobs[@]}" --output-junit "$PWD/build/mingw-$arch/ctest-junit.xml"; then
    failed=$(cut -d: -f2 "build/mingw-$arch/Testing/Temporary/LastTestsFailed.log" | tr '\n' ' ' || true)
    for t in $failed; do reran+=("$arch:$t"); done
    step "Windows $arch tests: once more, alone: $failed"
    echo "(a first run's work folder stays beside the rerun's, as WORK.failed)"
    ctest --preset mingw-$arch --rerun-failed -j1 \
      --output-junit "$PWD/build/mingw-$arch/ctest-junit-rerun.xml" || status=1
  fi
done

# A Wine test stopped at its time limit could not unmount its prefix.
findmnt -rn -t overlay -o TARGET 2>/dev/null | grep "^$PWD/build/" | xargs -r -d '\n' umount -l || true

step "32-bit tests"
python3 scripts/count_32bit.py build/mingw-i686 build/mingw-x86_64 || status=1
# Said beside the count, so that a reader of the last lines knows what ran
# them.
[[ -z $emulator ]] || echo "$emulator"
step "reruns"
if ((${#reran[@]} == 0)); then
  echo "reruns: 0: every test passed on its first run"
else
  echo "reruns: ${#reran[@]}: ${reran[*]}"
  echo "WARNING: this run needed reruns; each first failure is a fault to find"
fi
restarts=$(wc -l <"$TAVLIN_RESTART_LOG")
if ((restarts == 0)); then
  echo "restarts: 0: Wine started every program the first time"
else
  echo "restarts: $restarts: a program Wine could not start was started again:"
  sed 's/^/  /' "$TAVLIN_RESTART_LOG"
  echo "WARNING: this run started programs again; each first failure is a fault to find"
fi
step "done (exit status $status, ${#reran[@]} rerun(s), $restarts restart(s))"
exit $status

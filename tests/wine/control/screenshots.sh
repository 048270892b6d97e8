#!/usr/bin/env bash
# Both pages of the window as PNGs in the build folder, for a person to look
# at: word-page.png and about-page.png.
source "$(dirname "$0")/lib.sh" "$1" "$2" "$3"
out=${4:?output folder}
mkdir -p "$out"
c="$WINEPREFIX/drive_c/tavlin-test"
drive window signal 'C:\tavlin-test\shot1' await 'C:\tavlin-test\go1' tab 1 \
  signal 'C:\tavlin-test\shot2' await 'C:\tavlin-test\go2' cancel exited &
driver=$!
for n in 1 2; do
  for _ in $(seq 200); do [[ -e $c/shot$n ]] && break; sleep 0.05; done
  [[ -e $c/shot$n ]] || fail "the driver never got to shot $n"
  sleep 0.3
  name=$([[ $n == 1 ]] && echo word-page || echo about-page)
  id=$(xdotool search --onlyvisible --name '^Tavlinar$' | head -1)
  import -window "${id:-root}" "$out/$name.png"
  touch "$c/go$n"
done
wait $driver || fail "driver"
for f in word-page about-page; do
  [[ $(identify -format '%w' "$out/$f.png") -gt 300 ]] || fail "$f.png is too small"
done
echo PASS

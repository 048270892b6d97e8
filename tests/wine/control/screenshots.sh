#!/usr/bin/env bash
# Both pages of the window as PNGs in the screenshot folder, for a person to
# look at, named for the build's bitness: word-page-i686.png and
# about-page-i686.png (x86_64 in the other build).
source "$(dirname "$0")/lib.sh" "$@"
arch=$([[ $tavlinar_bits == 64 ]] && echo x86_64 || echo i686)
mkdir -p "$shots"
c="$WINEPREFIX/drive_c/tavlin-test"
drive window signal 'C:\tavlin-test\shot1' await 'C:\tavlin-test\go1' tab 1 \
  signal 'C:\tavlin-test\shot2' await 'C:\tavlin-test\go2' cancel exited &
driver=$!
for n in 1 2; do
  await_signal "$c/shot$n" "$driver" || fail "the driver never got to shot $n"
  sleep 0.3
  name=$([[ $n == 1 ]] && echo word-page || echo about-page)-$arch
  id=$(xdotool search --onlyvisible --name '^Tavlinar$' | head -1)
  import -window "${id:-root}" "$shots/$name.png"
  touch "$c/go$n"
done
wait $driver || fail "driver"
for f in word-page about-page; do
  [[ $(identify -format '%w' "$shots/$f-$arch.png") -gt 300 ]] || fail "$f-$arch.png is too small"
done
echo PASS

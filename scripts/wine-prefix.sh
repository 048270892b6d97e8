#!/usr/bin/env bash
# Makes a ready Wine prefix (64-bit) at $1, once; tests copy it (cp -a takes
# about a second, a fresh prefix about fifteen). Settings that matter here:
# no window manager under Xvfb (Managed=N, or every hide waits 2 s), no
# crash dialog (it would hang the run), and Wine's own fonts, which
# Debian's Wine does not find by itself.
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX}
if [[ -f $prefix/.tavlin-ready ]]; then
  exit 0
fi
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
echo "wine-prefix: creating $prefix" >&2
"$wine" wineboot -i >/dev/null 2>&1 || true
wineserver -w
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
mkdir -p "$prefix/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
touch "$prefix/.tavlin-ready"
echo "wine-prefix: ready" >&2

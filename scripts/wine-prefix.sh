#!/usr/bin/env bash
# Makes a ready Wine prefix at $1, once; tests copy it (cp -a takes about a
# second, a fresh prefix some fifteen).
#   wine-prefix.sh PREFIX [win64|win32] [SEED]
# SEED: a prefix of the same kind made by this script, copied when it is
# ready and was made by this machine's Wine (a copy takes a second or two,
# a prefix some forty under load).
# win64 (the default) is 64-bit Windows in Wine's WoW64 form: 64-bit
# programs run as before, 32-bit ones beside them with SysWOW64 and the
# 32-bit registry view, as on 64-bit Windows. win32 is a 32-bit Windows
# (System32 holds 32-bit programs, there is no SysWOW64). The kind is kept
# in the prefix (.tavlin-arch) for wine-env.sh; .tavlin-32bit says whether
# this machine ran a 32-bit program in it, which is what every 32-bit test
# needs.
# Settings that matter here: no window manager under Xvfb (Managed=N, or
# every hide waits 2 s), no crash dialog (it would hang the run), and Wine's
# own fonts, which Debian's Wine does not find by itself.
set -uo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX [win64|win32]}
arch=${2:-win64}
seed=${3:-}
case $arch in
win64) wine=/usr/lib/wine/wine64 ;;
win32) wine=/usr/lib/wine/wine ;;
*) echo "wine-prefix: unknown kind $arch (win64 or win32)" >&2; exit 2 ;;
esac
if [[ -f $prefix/.tavlin-ready ]]; then
  exit 0
fi
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
wine_version=$(/usr/lib/wine/wine64 --version 2>/dev/null)
if [[ -n $seed && -f $seed/.tavlin-ready && $(cat "$seed/.tavlin-arch" 2>/dev/null) == "$arch" &&
  $(cat "$seed/.tavlin-wine" 2>/dev/null) == "$wine_version" ]]; then
  cp -a "$seed" "$prefix" && echo "wine-prefix: $prefix copied from $seed" >&2 && exit 0
  rm -rf "$prefix"
fi
# The menu builder's file associations and menus (see wine-env.sh) go to
# a folder of the prefix's own, removed once Wine is done.
export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export XDG_DATA_HOME=$prefix/.tavlin-xdg/data XDG_CONFIG_HOME=$prefix/.tavlin-xdg/config
echo "wine-prefix: creating $prefix ($arch)" >&2
no32bit=$(bash "$(dirname "$0")/kernel-32bit.sh")
no32bit_rc=$?
if [[ $arch == win32 && $no32bit_rc != 0 ]]; then
  # No 32-bit program can run (no wine32, or a kernel that runs none), so
  # there is no 32-bit Windows at all: the 32-bit tests report themselves
  # skipped with this reason.
  echo "wine-prefix: $no32bit" >&2
  mkdir -p "$prefix"
  echo "$arch" >"$prefix/.tavlin-arch"
  echo "$no32bit" >"$prefix/.tavlin-no32bit"
  touch "$prefix/.tavlin-ready"
  exit 0
fi
"$wine" wineboot -i >/dev/null 2>&1 </dev/null || true
wineserver -w
# Windows' own faces have Hebrew and Thai, and Windows finds a face for
# Devanagari; Wine's Tahoma has neither, and its GDI falls back only along
# the faces linked to the one asked for. The Debian fonts setup.sh installs
# are linked to the faces Tavlin's windows ask for, Mangal (Windows' face
# for Devanagari) stands for the one that has it.
# All in one reg import: each reg add is a program start, seconds each for
# a 32-bit Windows under an emulator. The server writes the registry out
# as it exits, which the wait below is for.
links=$(printf 'DejaVuSans.ttf,DejaVu Sans\0FreeSerif.ttf,FreeSerif\0wqy-microhei.ttc,WenQuanYi Micro Hei\0\0' |
  od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//')
{
  printf 'REGEDIT4\n\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"ShowCrashDialog"=dword:00000000\n\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\n'
  for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' Arial; do
    printf '"%s"=hex(7):%s\n' "$face" "$links"
  done
  printf '\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\n'
  printf '"Mangal"="FreeSerif"\n'
} >"$prefix/drive_c/tavlin-prefix.reg"
"$wine" reg import 'C:\tavlin-prefix.reg' >/dev/null 2>&1 </dev/null ||
  echo "wine-prefix: the prefix's settings could not be imported" >&2
rm -f "$prefix/drive_c/tavlin-prefix.reg"
mkdir -p "$prefix/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
echo "$arch" >"$prefix/.tavlin-arch"
echo "$wine_version" >"$prefix/.tavlin-wine"

# Can this machine run the prefix's 32-bit programs? The 32-bit cmd.exe
# (SysWOW64's, or System32's on 32-bit Windows) ending with the exit code
# asked of it is the proof; anything else is written down as the reason.
cmd32='C:\windows\syswow64\cmd.exe'
[[ $arch == win32 ]] && cmd32='C:\windows\system32\cmd.exe'
reason=
if ((no32bit_rc != 0)); then
  reason=$no32bit
elif [[ $arch == win64 && ! -f $prefix/drive_c/windows/syswow64/regsvr32.exe ]]; then
  reason="the prefix has no SysWOW64 (it was made without wine32)"
else
  "$wine" "$cmd32" /c exit 7 >/dev/null 2>&1 </dev/null
  rc=$?
  [[ $rc == 7 ]] || reason="a 32-bit program in the prefix ended with $rc instead of 7"
fi
wineserver -w
if [[ -n $reason ]]; then
  echo "$reason" >"$prefix/.tavlin-no32bit"
  echo "wine-prefix: 32-bit programs cannot run: $reason" >&2
else
  rm -f "$prefix/.tavlin-no32bit"
fi
rm -rf "$prefix/.tavlin-xdg"
touch "$prefix/.tavlin-ready"
echo "wine-prefix: ready" >&2

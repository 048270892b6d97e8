#!/usr/bin/env bash
# The main job, for a newcomer: from a fresh machine of this kind to Tavlin
# installed under Wine, its add-in loaded the way Word loads it at start-up,
# and a picture of the control program's window.
#
#   bash scripts/demo.sh
#
# Installs what is missing (scripts/setup.sh), builds the native tool and the
# i686 and x86_64 Windows builds with both installers (build/native,
# build/mingw-i686, build/mingw-x86_64),
# makes a Wine prefix under the build folder, installs silently into a fresh
# copy of it, prints the Classic tab as wordhost sees it and leaves a
# screenshot of Tavlinar's window in build/mingw-x86_64/tavlinar-window.png.
# Everything stays under build/; ~/.wine is never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/mingw-x86_64
shot=$build/tavlinar-window.png

step() { printf '\n== [%3ds] %s\n' "$SECONDS" "$*"; }
die() {
    printf 'demo: %s\n' "$*" >&2
    exit 1
}

step "checking the Debian packages the build needs (scripts/setup.sh; about 1.5 min when they are all missing)"
bash scripts/setup.sh

step "native build of tavlin-ribbon, the add-in's document as a Linux tool (build/native)"
cmake --preset native >/dev/null
cmake --build --preset native --target tavlin-ribbon

step "Windows cross builds: the i686 add-in and control program (build/mingw-i686); the x86_64 ones, wordhost.exe and both installers, each carrying both DLLs (build/mingw-x86_64)"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686 --target TavlinAddin Tavlinar
cmake --preset mingw-x86_64 >/dev/null
cmake --build --preset mingw-x86_64 --target TavlinSetup wordhost regsvr32-standin
setup=$build/installer/TavlinSetup-x64.exe
wordhost=$(find "$build/tools" -name wordhost.exe -print -quit 2>/dev/null || true)
standin=$(find "$build/tests" -name regsvr32-standin.exe -print -quit 2>/dev/null || true)
for f in "$build/installer/TavlinSetup.exe" "$setup"; do
    [[ -f $f ]] || die "the build made no $f"
    printf '  %-22s %8d bytes\n' "$(basename "$f")" "$(stat -c %s "$f")"
done
[[ -n $wordhost ]] || die "the build made no wordhost.exe under $build/tools"
[[ -n $standin ]] || die "the build made no regsvr32-standin.exe under $build/tests"

step "Wine prefix under the build folder ($build/wine-template; about 20 s the first time), a fresh copy of it and an Xvfb display"
bash scripts/wine-prefix.sh "$build/wine-template"
# A private copy, so every run installs into a clean Windows; wine-env.sh
# also starts the display and stops Wine and the display on exit. The
# prefix stays afterwards, to look around in.
export TAVLIN_KEEP_PREFIX=1
source scripts/wine-env.sh "$build/wine-template" "$build/demo"
echo "prefix: $WINEPREFIX, display $DISPLAY"

step "installing silently: TavlinSetup-x64.exe /S (as an administrator would)"
# This machine cannot run 32-bit programs, so SysWOW64's regsvr32, which
# registers the i686 DLL, is a stand-in that only records what it was asked.
mkdir -p "$WINEPREFIX/drive_c/windows/syswow64"
cp "$standin" "$WINEPREFIX/drive_c/windows/syswow64/regsvr32.exe"
export TAVLIN_REGSVR32_LOG='C:\regsvr32-32bit.log'
"$WINE" "$setup" /S || die "the installer failed with exit code $?"
wineserver -w
echo "the 32-bit registration it ran (recorded by the stand-in):"
tr -d '\r' <"$WINEPREFIX/drive_c/regsvr32-32bit.log" | sed 's/^/  /'
folder="$WINEPREFIX/drive_c/Program Files/Tavlin"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavlin"
echo "installed in C:\\Program Files\\Tavlin:"
(cd "$folder" && find . -type f -printf '  %8s  %P\n' | sort -k2 | sed 's|/|\\|')
echo "Start menu, Tavlin:"
ls "$menu" | sed 's/^/  /'
echo "installed programs:"
"$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavlin' 2>/dev/null |
    tr -d '\r' | grep -E 'DisplayName|DisplayVersion|Publisher' | sed 's/^ */  /'
echo "Word's add-in key:"
"$WINE" reg query 'HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect' 2>/dev/null |
    tr -d '\r' | grep REG_ | sed 's/^ */  /'

step "wordhost loads the add-in from Word's add-in keys, as Word does at start-up: the Classic tab"
"$WINE" "$wordhost" --tree --ribbon-out 'C:\ribbon.xml' | tr -d '\r'
wineserver -w
if cmp -s "$WINEPREFIX/drive_c/ribbon.xml" <("$root/build/native/tavlin-ribbon"); then
    echo "(the document wordhost got is byte for byte the one build/native/tavlin-ribbon prints)"
else
    die "the document wordhost got differs from build/native/tavlin-ribbon's"
fi

step "starting the installed Tavlinar under Xvfb, waiting for its window"
"$WINE" 'C:\Program Files\Tavlin\Tavlinar.exe' >/dev/null 2>&1 &
tavlinar=$!
window=
for _ in $(seq 1 150); do
    # Wine names each top-level window's X class after its program file.
    window=$(xdotool search --onlyvisible --class '^tavlinar\.exe$' 2>/dev/null | head -n 1 || true)
    [[ -n $window ]] && break
    kill -0 "$tavlinar" 2>/dev/null || die "Tavlinar ended before showing its window"
    sleep 0.2
done
[[ -n $window ]] || die "no Tavlinar window within 30 s"
sleep 1 # let it paint
import -window "$window" "$shot"
echo "window \"$(xdotool getwindowname "$window")\", $(identify -format '%wx%h' "$shot") pixels"
kill "$tavlinar" 2>/dev/null || true

step "done in ${SECONDS} s"
echo "screenshot of Tavlinar's window: $shot"
echo "the installed prefix stays in $WINEPREFIX (WINEPREFIX=$WINEPREFIX /usr/lib/wine/wine64 ... to look around)"

#!/usr/bin/env bash
# The main job, for a newcomer: from a fresh machine of this kind to Tavlin
# installed under Wine as a user of the download installs it, its add-in
# loaded the way a 32-bit and a 64-bit Word load it at start-up, and a
# picture of the control program's window.
#
#   bash scripts/demo.sh
#
# Installs what is missing (scripts/setup.sh), builds the native tool and the
# i686 and x86_64 Windows builds with both installers (build/native,
# build/mingw-i686, build/mingw-x86_64), makes a 64-bit Windows prefix in
# Wine's WoW64 form under the build folder, runs the download,
# TavlinSetup.exe (the x86 stub), silently in a fresh copy of it, prints the
# Classic tab as the i686 and the x86_64 wordhost see it and leaves a
# screenshot of the installed (i686) Tavlinar's window in
# build/mingw-x86_64/tavlinar-window.png. Then, as an organisation deploys
# it, the Windows Installer package Tavlin-x64.msi, per machine, and Word
# of each bitness finding the add-in under HKLM. On a machine whose kernel
# runs no 32-bit programs, whatever is 32-bit is left out, and said so: the
# package, 64-bit Word and the Tavlinar it installs are shown.
# Everything stays under build/; ~/.wine is never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/mingw-x86_64
build32=$root/build/mingw-i686
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

step "Windows cross builds: the i686 add-in, control program and wordhost (build/mingw-i686); the x86_64 ones and both installers, each carrying both DLLs (build/mingw-x86_64)"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686 --target TavlinAddin Tavlinar wordhost
cmake --preset mingw-x86_64 >/dev/null
cmake --build --preset mingw-x86_64 --target TavlinSetup TavlinMsi wordhost
setup=$build/installer/TavlinSetup.exe
msi=$build/installer/Tavlin-x64.msi
wordhost64=$build/tools/wordhost/wordhost.exe
wordhost32=$build32/tools/wordhost/wordhost.exe
for f in "$setup" "$build/installer/TavlinSetup-x64.exe" "$msi" "$build/installer/Tavlin-x86.msi"; do
    [[ -f $f ]] || die "the build made no $f"
    printf '  %-22s %8d bytes\n' "$(basename "$f")" "$(stat -c %s "$f")"
done
for f in "$wordhost32" "$wordhost64"; do
    [[ -f $f ]] || die "the build made no $f"
done

step "Wine prefix under the build folder ($build/wine-template: 64-bit Windows with its 32-bit side; about 20 s the first time), a fresh copy of it and an Xvfb display"
bash scripts/wine-prefix.sh "$build/wine-template" win64
# A kernel that runs no 32-bit programs at all leaves out whatever is
# 32-bit: the download (an x86 setup program), 32-bit Word and the i686
# Tavlinar; the Windows Installer package and 64-bit Word are shown.
word_bits="32 64"
if [[ -f $build/wine-template/.tavlin-no32bit ]]; then
    word_bits=64
    echo "this machine cannot run 32-bit programs ($(cat "$build/wine-template/.tavlin-no32bit")): the download, 32-bit Word and the i686 Tavlinar are left out"
fi
# A private copy, so every run installs into a clean Windows; wine-env.sh
# also starts the display and stops Wine and the display on exit. The
# prefix stays afterwards, to look around in.
export TAVLIN_KEEP_PREFIX=1
source scripts/wine-env.sh "$build/wine-template" "$build/demo"
echo "prefix: $WINEPREFIX, display $DISPLAY"

# photograph EXE_WIN WHAT: starts the Tavlinar at EXE_WIN under Xvfb, waits
# for its window and photographs it into $shot.
photograph() {
    local exe_win=$1 what=$2 tavlinar window=
    step "starting the installed Tavlinar ($what) under Xvfb, waiting for its window"
    "$WINE" "$exe_win" >/dev/null 2>&1 &
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
}

# The download, TavlinSetup.exe: an x86 setup program, installed, shown and
# uninstalled again.
show_download() {
    step "installing silently: TavlinSetup.exe /S, the download (as an administrator would)"
    "$WINE" "$setup" /S || die "the installer failed with exit code $?"
    wine_wait_programs
    folder_win=$("$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavlin' /v InstallLocation 2>/dev/null |
        tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    [[ -n $folder_win ]] || die "the installer left no InstallLocation"
    folder="$WINEPREFIX/drive_c${folder_win#[Cc]:}"
    folder=${folder//\\//}
    menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavlin"
    echo "installed in $folder_win:"
    (cd "$folder" && find . -type f -printf '  %8s  %P\n' | sort -k2 | sed 's|/|\\|')
    echo "Start menu, Tavlin:"
    ls "$menu" | sed 's/^/  /'
    echo "installed programs:"
    "$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavlin' 2>/dev/null |
        tr -d '\r' | grep -E 'DisplayName|DisplayVersion|Publisher' | sed 's/^ */  /'
    echo "the add-in's class, as each bitness of Word finds it (each DLL registered by the regsvr32 of its bitness):"
    clsid=$("$WINE" reg query 'HKLM\Software\Classes\TavlinCom.Connect\CLSID' /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    for bits in 32 64; do
        tool='C:\windows\system32\reg.exe'
        [[ $bits == 32 ]] && tool='C:\windows\syswow64\reg.exe'
        server=$("$WINE" "$tool" query "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" /ve 2>/dev/null |
            tr -d '\r' | sed -n 's/.*REG_SZ *//p')
        echo "  $bits-bit Word: ${server:-<not registered>}"
    done
    echo "Word's add-in key:"
    "$WINE" reg query 'HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect' 2>/dev/null |
        tr -d '\r' | grep REG_ | sed 's/^ */  /'

    for bits in 32 64; do
        wordhost=$wordhost64
        [[ $bits == 32 ]] && wordhost=$wordhost32
        step "a ${bits}-bit wordhost loads the add-in from Word's add-in keys, as ${bits}-bit Word does at start-up: the Classic tab"
        rm -f "$WINEPREFIX/drive_c/ribbon.xml"
        # The whole outline once; the second host's is the same document.
        if [[ $bits == 32 ]]; then
            "$WINE" "$wordhost" --tree --ribbon-out 'C:\ribbon.xml' | tr -d '\r'
        else
            # The rest is read, not cut off: a cut pipe would end the demo.
            "$WINE" "$wordhost" --tree --ribbon-out 'C:\ribbon.xml' | tr -d '\r' | { head -n 8; cat >/dev/null; }
            echo "  ... (the outline as above)"
        fi
        wine_wait_programs
        if cmp -s "$WINEPREFIX/drive_c/ribbon.xml" <("$root/build/native/tavlin-ribbon"); then
            echo "(the document the ${bits}-bit wordhost got is byte for byte the one build/native/tavlin-ribbon prints)"
        else
            die "the document the ${bits}-bit wordhost got differs from build/native/tavlin-ribbon's"
        fi
    done
    photograph "$folder_win\\Tavlinar.exe" "the i686 one the download installs"

    step "the setup program's Tavlin uninstalled"
    "$WINE" "$folder_win\\Uninstall.exe" /S || die "the uninstaller failed with exit code $?"
    wine_wait_programs
}
[[ $word_bits == "32 64" ]] && show_download

step "as an organisation deploys it: Tavlin-x64.msi installed per machine (msiexec /i /qn)"
# Wine hands Linux msiexec's exit code modulo 256; cmd, in a batch file,
# writes the real one.
printf '@msiexec /i "%s" /qn\r\n@>C:\\msiexec.rc echo %%errorlevel%%\r\n' "Z:${msi//\//\\}" >"$WINEPREFIX/drive_c/msi.bat"
"$WINE" cmd /c 'C:\msi.bat' >/dev/null 2>&1 || true
rc=$(tr -d '\r\n ' <"$WINEPREFIX/drive_c/msiexec.rc" 2>/dev/null || echo none)
[[ $rc == 0 ]] || die "msiexec /i failed with exit code $rc"
code=$("$WINE" reg query 'HKLM\Software\Drevalo\Tavlin' /v ProductCode 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
echo "installed programs, Tavlin's entry ($code):"
"$WINE" reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code" 2>/dev/null | tr -d '\r' |
    grep -E 'DisplayName|DisplayVersion|Publisher|NoModify' | sed 's/^ */  /'
clsid=$("$WINE" reg query 'HKLM\Software\Classes\TavlinCom.Connect\CLSID' /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
echo "Word's add-in key for every user of the computer, in each view (no per-user key):"
for bits in $word_bits; do
    tool='C:\windows\system32\reg.exe'
    [[ $bits == 32 ]] && tool='C:\windows\syswow64\reg.exe'
    load=$("$WINE" "$tool" query 'HKLM\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect' /v LoadBehavior 2>/dev/null |
        tr -d '\r' | sed -n 's/.*REG_DWORD *//p')
    server=$("$WINE" "$tool" query "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" /ve 2>/dev/null |
        tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    echo "  $bits-bit Word: LoadBehavior ${load:-<none>}, class served by ${server:-<not registered>}"
done
"$WINE" reg query 'HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect' >/dev/null 2>&1 &&
    die "the package left a per-user add-in key"
for bits in $word_bits; do
    wordhost=$wordhost64
    [[ $bits == 32 ]] && wordhost=$wordhost32
    rm -f "$WINEPREFIX/drive_c/ribbon.xml"
    "$WINE" "$wordhost" --ribbon-out 'C:\ribbon.xml' >/dev/null 2>&1 || die "the $bits-bit wordhost failed"
    cmp -s "$WINEPREFIX/drive_c/ribbon.xml" <("$root/build/native/tavlin-ribbon") ||
        die "the $bits-bit wordhost's document differs from tavlin-ribbon's"
    echo "  the $bits-bit wordhost got the Classic tab from the machine's key ($(stat -c %s "$WINEPREFIX/drive_c/ribbon.xml") bytes, as tavlin-ribbon prints it)"
done

if [[ $word_bits == 64 ]]; then
    folder_win=$("$WINE" reg query 'HKLM\Software\Drevalo\Tavlin' /v InstallFolder 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    photograph "${folder_win%\\}\\Tavlinar.exe" "the one the x64 package installs"
fi

step "done in ${SECONDS} s"
echo "screenshot of Tavlinar's window: $shot"
echo "the installed prefix stays in $WINEPREFIX (WINEPREFIX=$WINEPREFIX /usr/lib/wine/wine64 ... to look around)"
echo "not shown here, because it cannot run on this machine: Word itself, and Windows itself (this is Wine)"
if [[ $word_bits == 64 ]]; then
    echo "nor, on this machine, anything 32-bit: the download, 32-bit Word and the i686 Tavlinar"
fi

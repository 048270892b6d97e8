#!/usr/bin/env bash
# Checks a built installer without running it, as a release engineer
# checks it before shipping (the Wine tests run it). It must be a Windows program of the stub's bitness, carry the
# version, hold exactly the deliverables (byte for byte: the i686 add-in in
# the folder, the x86_64 one under x64\, the control program of the stub's
# bitness) and stay within a sane size.
#   check_contents.sh 7ZIP SETUP ARCH VERSION ADDIN32 ADDIN64 CONTROL_EXE POLICY_DIR [HAND_CURSOR]
# POLICY_DIR holds the administrative templates: Tavlin.admx, and
# LOCALE/Tavlin.adml for each language.
set -euo pipefail
seven=${1:?7zz} setup=${2:?setup} arch=${3:?x86 or x64} version=${4:?version}
addin32=${5:?i686 addin dll} addin64=${6:?x86_64 addin dll} control=${7:?control exe}
policy=${8:?folder of the administrative templates} cursor=${9:-}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[[ -f $setup ]] || fail "$setup was not built"

# IMAGE_FILE_HEADER.Machine, found through e_lfanew at 0x3c.
pe_machine() {
    local off
    [[ $(head -c 2 "$1") == MZ ]] || { echo none; return; }
    off=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    [[ $(od -An -c -j"$off" -N4 "$1" | tr -d ' ') == 'PE\0\0' ]] || { echo none; return; }
    od -An -tx2 -j$((off + 4)) -N2 "$1" | tr -d ' '
}
i686=014c x86_64=8664
case $arch in
x86) want_machine=$i686 ;;
x64) want_machine=$x86_64 ;;
*) fail "unknown arch $arch" ;;
esac

got=$(pe_machine "$setup")
[[ $got == "$want_machine" ]] || fail "$setup: machine $got, want $want_machine ($arch)"

size=$(stat -c %s "$setup")
echo "$(basename "$setup"): $size bytes ($((size / 1024)) KiB)"
# The stub and its pages alone take about 110 KiB; a few MiB would mean
# something was bundled by mistake.
((size > 100 * 1024)) || fail "$setup is only $size bytes"
((size < 8 * 1024 * 1024)) || fail "$setup is $size bytes, far more than the deliverables need"

strings -el "$setup" | grep -A1 -x 'ProductVersion' | grep -qx "$version" ||
    fail "$setup: version block lacks ProductVersion $version"

# Each language file where it is in the source, under PolicyDefinitions.
templates=(PolicyDefinitions/Tavlin.admx $(cd "$policy" && printf 'PolicyDefinitions/%s\n' */Tavlin.adml))
((${#templates[@]} > 1)) || fail "no language file in $policy"

listing=$("$seven" l -slt -ba "$setup") || fail "$seven cannot read $setup as an NSIS installer"
payload=$(sed -n 's/^Path = //p' <<<"$listing" | grep -v '^\$PLUGINSDIR/' | sort)
expected=$(printf '%s\n' TavlinAddin.dll x64/TavlinAddin.dll Tavlinar.exe Uninstall.exe \
    "${templates[@]}" ${cursor:+HAND-M.CUR} | sort)
[[ $payload == "$expected" ]] ||
    fail "$setup holds"$'\n'"$payload"$'\n'"but should hold"$'\n'"$expected"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$seven" x -y -o"$work" "$setup" TavlinAddin.dll x64/TavlinAddin.dll Tavlinar.exe \
    "${templates[@]}" ${cursor:+HAND-M.CUR} >/dev/null ||
    fail "$seven cannot extract from $setup"
# check_same FILE_IN_SETUP BUILT_FILE [MACHINE]
check_same() {
    cmp -s "$work/$1" "$2" || fail "$setup: $1 differs from the build's $2"
    if [[ -n ${3:-} ]]; then
        got=$(pe_machine "$work/$1")
        [[ $got == "$3" ]] || fail "$setup: $1 has machine $got, want $3"
    fi
    echo "  $1: $(stat -c %s "$2") bytes${3:+, machine $3}, same as $2"
}
check_same TavlinAddin.dll "$addin32" "$i686"
check_same x64/TavlinAddin.dll "$addin64" "$x86_64"
check_same Tavlinar.exe "$control" "$want_machine"
for t in "${templates[@]}"; do
    check_same "$t" "$policy/${t#PolicyDefinitions/}"
done
[[ -z $cursor ]] || check_same HAND-M.CUR "$cursor"

# The stub and the uninstaller it writes wear Tavlin's icon, every size of
# it (the 256-pixel one, PNG, byte for byte), and the stub says it is DPI
# aware.
icon=$(cd "$(dirname "$0")/.." && pwd)/control/tavlinar.ico
"$seven" x -y -o"$work" "$setup" Uninstall.exe >/dev/null || fail "$seven cannot extract Uninstall.exe"
for program in "$setup" "$work/Uninstall.exe"; do
    rm -rf "$work/pe"
    "$seven" x -y -tPE -o"$work/pe" "$program" '.rsrc/ICON/*' >/dev/null ||
        fail "$seven cannot read the icons of $program"
    sizes=$(for f in "$work"/pe/.rsrc/ICON/*; do identify -format '%w\n' "$f[0]"; done | sort -n | tr '\n' ' ')
    [[ $sizes == "16 20 24 32 40 48 64 256 " ]] || fail "$program: icon sizes $sizes"
    large=$(for f in "$work"/pe/.rsrc/ICON/*; do
        if [[ $(head -c 4 "$f" | od -An -c | tr -d ' ') == 211PNG ]]; then echo "$f"; fi
    done)
    python3 - "$icon" "$large" <<'PY' || fail "$program: its 256-pixel icon is not Tavlin's"
import struct, sys
data = open(sys.argv[1], "rb").read()
count = struct.unpack("<H", data[4:6])[0]
for i in range(count):
    width, size, offset = data[6 + 16 * i], *struct.unpack("<II", data[14 + 16 * i:22 + 16 * i])
    if width == 0:
        sys.exit(data[offset:offset + size] != open(sys.argv[2], "rb").read())
sys.exit(1)
PY
    echo "  $(basename "$program"): icon sizes $sizes, Tavlin's"
done
# Read whole first: grep -q would leave strings writing into a closed pipe.
manifest=$(strings -a "$setup" | grep '<assembly' || true)
[[ $manifest == *'<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>'* ]] ||
    fail "$setup does not say it is DPI aware"
echo "  DPI aware"
echo "OK: $setup"

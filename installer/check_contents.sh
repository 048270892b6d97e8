#!/usr/bin/env bash
# Checks a built installer without running it: the build cannot run 32-bit
# programs here, and this is also what a release engineer checks before
# shipping. It must be a Windows program of the right bitness, carry the
# version, hold exactly the deliverables (byte for byte, of the same bitness)
# and stay within a sane size.
#   check_contents.sh SETUP ARCH VERSION ADDIN_DLL CONTROL_EXE [HAND_CURSOR]
set -euo pipefail
setup=${1:?setup} arch=${2:?x86 or x64} version=${3:?version}
addin=${4:?addin dll} control=${5:?control exe} cursor=${6:-}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

seven=$(command -v 7zz || command -v 7z || true)
if [[ -z $seven ]]; then
    echo "SKIP: neither 7zz nor 7z is installed (Debian package 7zip); cannot look inside $setup" >&2
    exit 77
fi
[[ -f $setup ]] || fail "$setup was not built"

# IMAGE_FILE_HEADER.Machine, found through e_lfanew at 0x3c.
pe_machine() {
    local off
    [[ $(head -c 2 "$1") == MZ ]] || { echo none; return; }
    off=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    [[ $(od -An -c -j"$off" -N4 "$1" | tr -d ' ') == 'PE\0\0' ]] || { echo none; return; }
    od -An -tx2 -j$((off + 4)) -N2 "$1" | tr -d ' '
}
case $arch in
x86) want_machine=014c ;;
x64) want_machine=8664 ;;
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

listing=$("$seven" l -slt -ba "$setup") || fail "$seven cannot read $setup as an NSIS installer"
payload=$(sed -n 's/^Path = //p' <<<"$listing" | grep -v '^\$PLUGINSDIR/' | sort)
expected=$(printf '%s\n' TavlinAddin.dll Tavlinar.exe Uninstall.exe ${cursor:+HAND-M.CUR} | sort)
[[ $payload == "$expected" ]] ||
    fail "$setup holds"$'\n'"$payload"$'\n'"but should hold"$'\n'"$expected"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$seven" x -y -o"$work" "$setup" TavlinAddin.dll Tavlinar.exe ${cursor:+HAND-M.CUR} >/dev/null ||
    fail "$seven cannot extract from $setup"
check_same() {
    cmp -s "$work/$1" "$2" || fail "$setup: $1 differs from the build's $2"
    echo "  $1: $(stat -c %s "$2") bytes, same as $2"
}
check_same TavlinAddin.dll "$addin"
check_same Tavlinar.exe "$control"
[[ -z $cursor ]] || check_same HAND-M.CUR "$cursor"
for f in TavlinAddin.dll Tavlinar.exe; do
    got=$(pe_machine "$work/$f")
    [[ $got == "$want_machine" ]] || fail "$setup: $f has machine $got, want $want_machine ($arch)"
done
echo "OK: $setup"

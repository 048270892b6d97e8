#!/usr/bin/env bash
# Every Windows file a signed build ships carries a signature that verifies
# against the test CA: SHA-256, the product's name and address, the
# publisher's certificate. The release's files, each file inside them
# (unpacked with 7zz and msiextract) and each build's own DLL and program,
# which the others pack. A copy of each with one byte changed must fail.
#   files_test.sh CA_CERT RELEASE_FOLDER URL BUILT_FILE...
set -uo pipefail
ca=${1:?test CA} release=${2:?release folder} url=${3:?the address signatures name}
shift 3
built=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/lib.sh"

files=("${built[@]}")
for f in TavlinSetup.exe TavlinSetup-x64.exe Tavlin-x64.msi Tavlin-x86.msi; do
    [[ -f $release/$f ]] || { bad "$f is not in $release"; continue; }
    files+=("$release/$f")
    mkdir -p "$work/unpacked/$f"
    case $f in
    *.exe) 7zz x -y -o"$work/unpacked/$f" "$release/$f" -x'!$PLUGINSDIR' >/dev/null ;;
    *.msi) msiextract -C "$work/unpacked/$f" "$release/$f" >/dev/null ;;
    esac || bad "$f could not be unpacked"
done
while IFS= read -r -d '' f; do files+=("$f"); done < <(find "$work/unpacked" -type f \( -name '*.exe' -o -name '*.dll' \) -print0 | sort -z)
((${#files[@]} >= 4 + 4 + 10)) || bad "only ${#files[@]} files to check"

# The fields a signature must show, as osslsigncode verify prints them.
wanted=('Message digest algorithm *: SHA256' 'Text description: Tavlin$' "URL description: $url\$"
    'Subject: .*O=Drevalo' 'Signature verification: ok')
for f in "${files[@]}"; do
    name=${f#"$work/unpacked/"}
    if ! osslsigncode verify -CAfile "$ca" -in "$f" >"$work/log" 2>&1; then
        bad "$name: does not verify:"$'\n'"$(grep -iE 'fail|error|mismatch|no signature' "$work/log" | head -5)"
        continue
    fi
    missing=()
    for w in "${wanted[@]}"; do grep -qE "$w" "$work/log" || missing+=("$w"); done
    if ((${#missing[@]} > 0)); then
        bad "$name: verifies, but its signature lacks: ${missing[*]}"
        continue
    fi
    # One byte in the middle of what the signature covers.
    size=$(stat -c %s "$f")
    cp "$f" "$work/altered"
    byte=$(od -An -tu1 -j$((size / 2)) -N1 "$f" | tr -d ' ')
    printf "\\x$(printf %02x $(((byte + 1) % 256)))" | dd of="$work/altered" bs=1 seek=$((size / 2)) conv=notrunc status=none
    if osslsigncode verify -CAfile "$ca" -in "$work/altered" >/dev/null 2>&1; then
        bad "$name: a copy with byte $((size / 2)) changed still verifies"
        continue
    fi
    echo "  ok   $name: verifies ($(sed -n 's/.*Subject: //p' "$work/log" | head -1)); one byte changed, it does not"
done
finish "all ${#files[@]} files signed and verified"

#!/usr/bin/env bash
# scripts/verify-release.sh on this build's release: a second build of the
# commit, in a folder of its own at another time, must give the same files
# byte for byte, so the release passes. Then two altered copies, which must
# fail naming the altered file: one byte changed in a package (its
# signature no longer verifies), and a setup program changed and signed
# again with the same key (its signature verifies, its bytes are not what
# the source makes).
#   verify_release_test.sh REPO CA_CERT RELEASE_FOLDER WORKDIR SIGNING_CONF
set -uo pipefail
repo=${1:?repository} ca=${2:?test CA} release=${3:?release folder} work=${4:?work folder}
sign_conf=${5:?signing.conf of the build}
verify=("$repo/scripts/verify-release.sh" -CAfile "$ca" --build "$work/build")
source "$(dirname "$0")/lib.sh"
# The second build is made anew for this release, then used again for its
# altered copies.
rm -rf "$work"
mkdir -p "$work"

# run_verify FOLDER: verify-release's lines in $work/out, its exit code in rc.
run_verify() {
    "${verify[@]}" "$1" >"$work/out" 2>"$work/err"
    rc=$?
    sed 's/^/    /' "$work/out"
}
# altered_copy NAME: a copy of the release to change, its checksums to be
# made anew by resum, as an attacker who controls the download would.
altered_copy() {
    rm -rf "$work/$1"
    cp -r "$release" "$work/$1"
}
resum() { (cd "$1" && sha256sum TavlinSetup.exe TavlinSetup-x64.exe Tavlin-x64.msi Tavlin-x86.msi >SHA256SUMS); }
# expect_named WHAT FILE REASON: verify-release failed, naming FILE (and
# only FILE and what holds it) with REASON.
expect_named() {
    local what=$1 file=$2 reason=$3 named
    named=$(sed -n 's/^FAIL  \([^:]*\):.*/\1/p' "$work/out" | sed 's|/.*||' | sort -u | xargs)
    if ((rc != 0)) && [[ $named == "$file" ]] && grep -q "^FAIL  $file: .*$reason" "$work/out"; then
        echo "  ok   $what: exit code $rc, names $file ($reason)"
    else
        bad "$what: exit code $rc, names '${named}', want $file with '$reason'"
    fi
}

echo "the release as built"
run_verify "$release"
if ((rc == 0)) && ! grep -q '^FAIL' "$work/out" && (($(grep -c '^ok' "$work/out") >= 19)); then
    echo "  ok   accepted: every file the same as the second build's, every signature verified"
else
    bad "the release as built was not accepted (exit code $rc):"$'\n'"$(tail -20 "$work/err")"
fi

echo "one byte of Tavlin-x86.msi changed"
altered_copy flipped
size=$(stat -c %s "$work/flipped/Tavlin-x86.msi")
byte=$(od -An -tu1 -j$((size / 2)) -N1 "$work/flipped/Tavlin-x86.msi" | tr -d ' ')
printf "\\x$(printf %02x $(((byte + 1) % 256)))" |
    dd of="$work/flipped/Tavlin-x86.msi" bs=1 seek=$((size / 2)) conv=notrunc status=none
resum "$work/flipped"
run_verify "$work/flipped"
expect_named "altered package" Tavlin-x86.msi "signature does not verify"

echo "TavlinSetup-x64.exe changed and signed again with the publisher's key"
altered_copy resigned
setup=$work/resigned/TavlinSetup-x64.exe
osslsigncode remove-signature -in "$setup" -out "$work/unsigned.exe" >/dev/null
size=$(stat -c %s "$work/unsigned.exe")
byte=$(od -An -tu1 -j$((size / 2)) -N1 "$work/unsigned.exe" | tr -d ' ')
printf "\\x$(printf %02x $(((byte + 1) % 256)))" |
    dd of="$work/unsigned.exe" bs=1 seek=$((size / 2)) conv=notrunc status=none
bash "$repo/scripts/sign.sh" "$sign_conf" "$work/unsigned.exe" TavlinSetup-x64.exe && mv "$work/unsigned.exe" "$setup"
if osslsigncode verify -CAfile "$ca" -in "$setup" >/dev/null 2>&1; then
    resum "$work/resigned"
    run_verify "$work/resigned"
    expect_named "re-signed setup program" TavlinSetup-x64.exe "differs from the build's"
    grep -q '^FAIL  TavlinSetup-x64.exe: .*signature' "$work/out" &&
        bad "the re-signed setup program's signature was reported, not its bytes"
else
    bad "the altered setup program could not be signed again for the test"
fi

finish "all checks passed"

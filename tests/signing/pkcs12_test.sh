#!/usr/bin/env bash
# The other kind of key a build takes: a PKCS#12 file and its password
# file. The build's signing script, configured as signing.cmake configures
# it for TAVLIN_SIGN_KEY=FILE.p12, signs a copy of the add-in, which must
# verify against the test CA; with a wrong password it must fail and leave
# no file.
#   pkcs12_test.sh SIGN_SCRIPT SIGNING_CONF IDENTITY_DIR SIGNED_FILE WORKDIR
set -uo pipefail
sign=${1:?sign.sh} conf=${2:?signing.conf} identity=${3:?test identity} signed=${4:?a signed file}
work=${5:?work folder}
rm -rf "$work"
mkdir -p "$work"
source "$(dirname "$0")/lib.sh"

# sign_with PASSWORD_FILE OUT: a fresh unsigned copy, signed with the
# PKCS#12 file.
sign_with() {
    grep -vE '^(key|cert|module|pin_file|softhsm2_conf)=' "$conf" >"$work/signing.conf"
    printf '%s\n' "key=$identity/signing.p12" "pin_file=$1" >>"$work/signing.conf"
    osslsigncode remove-signature -in "$signed" -out "$2" >/dev/null
    bash "$sign" "$work/signing.conf" "$2" "$(basename "$signed")" >"$work/sign.log" 2>&1
}

if sign_with "$identity/p12-password" "$work/p12.dll" &&
    osslsigncode verify -CAfile "$identity/ca.crt" -in "$work/p12.dll" >"$work/verify.log" 2>&1; then
    ok "signed with the PKCS#12 file: verifies ($(sed -n 's/.*Subject: //p' "$work/verify.log" | head -1))"
else
    bad "PKCS#12 signing: $(cat "$work/sign.log" "$work/verify.log" 2>/dev/null | tail -5)"
fi

printf 'not-the-password\n' >"$work/wrong"
if sign_with "$work/wrong" "$work/wrong.dll"; then
    bad "signing succeeded with a wrong password"
elif [[ -e $work/wrong.dll ]]; then
    bad "a failed signing left its file behind"
elif grep -q 'not-the-password' "$work/sign.log"; then
    bad "the password appears in the signing's output"
else
    ok "wrong password: signing fails and leaves no file: $(head -1 "$work/sign.log")"
fi

finish "all checks passed"

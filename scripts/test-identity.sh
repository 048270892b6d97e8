#!/usr/bin/env bash
# Makes the tests' signing identity in DIR, as a publisher's would be set
# up, with nothing of it trusted anywhere: a test root CA, a code-signing
# certificate it issued, and that certificate's key in a SoftHSM2 token of
# its own (DIR/softhsm2.conf), reached through PKCS#11; and a time-stamping
# authority's certificate and key (tsa.crt, tsa.key). Prints the
# environment a signing build takes (see README, "Signing a release"):
#   eval "$(bash scripts/test-identity.sh DIR)"
# Kept when it is there already, so the builds' identity stays the same.
set -euo pipefail
dir=${1:?folder for the test identity}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
module=$(for m in /usr/lib/softhsm/libsofthsm2.so /usr/lib/*/softhsm/libsofthsm2.so; do
    [[ -f $m ]] && echo "$m" && break
done)
[[ -n $module ]] || { echo "test-identity: SoftHSM2's PKCS#11 module is not installed" >&2; exit 1; }
label=tavlin-test

if [[ ! -f $dir/ready ]]; then
    rm -rf "${dir:?}"/*
    (
        cd "$dir"
        ssl() { openssl "$@" 2>/dev/null; }
        ssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.crt -days 3650 \
            -subj "/CN=Tavlin Test Root CA" \
            -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign"
        ssl req -newkey rsa:2048 -nodes -keyout signing.key -out signing.csr -subj "/CN=Drevalo (test)/O=Drevalo"
        printf '%s\n' "basicConstraints=CA:FALSE" "keyUsage=critical,digitalSignature" \
            "extendedKeyUsage=codeSigning" >signing.ext
        ssl x509 -req -in signing.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 3650 \
            -extfile signing.ext -out signing.crt
        cat signing.crt ca.crt >chain.pem
        # The same identity as a PKCS#12 file, the other kind of key a
        # build takes.
        ssl pkcs12 -export -inkey signing.key -in signing.crt -certfile ca.crt \
            -passout file:<(printf 'test-p12-password\n') -out signing.p12
        printf 'test-p12-password\n' >p12-password
        mkdir tokens
        printf '%s\n' "directories.tokendir = $dir/tokens" "objectstore.backend = file" \
            "log.level = ERROR" >softhsm2.conf
        printf '246810\n' >pin
        export SOFTHSM2_CONF=$dir/softhsm2.conf
        softhsm2-util --init-token --free --label "$label" --pin "$(<pin)" --so-pin 13579 >/dev/null
        ssl pkcs8 -topk8 -nocrypt -in signing.key -out signing.p8
        softhsm2-util --import signing.p8 --token "$label" --label signing --id 01 \
            --pin "$(<pin)" >/dev/null
        # The key lives in the token only.
        rm signing.key signing.p8 signing.csr
        touch ready
    )
fi

# A time-stamping authority of the same CA, for the tests' own RFC 3161
# service on loopback.
if [[ ! -f $dir/tsa.crt ]]; then
    (
        cd "$dir"
        openssl req -newkey rsa:2048 -nodes -keyout tsa.key -out tsa.csr -subj "/CN=Tavlin Test TSA" 2>/dev/null
        printf '%s\n' "basicConstraints=CA:FALSE" "keyUsage=critical,digitalSignature" \
            "extendedKeyUsage=critical,timeStamping" >tsa.ext
        openssl x509 -req -in tsa.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 3650 \
            -extfile tsa.ext -out tsa.crt 2>/dev/null
        rm tsa.csr
    )
fi

printf 'export SOFTHSM2_CONF=%q\n' "$dir/softhsm2.conf"
printf 'export TAVLIN_SIGN_KEY=%q\n' "pkcs11:token=$label;object=signing;type=private"
printf 'export TAVLIN_SIGN_CERT=%q\n' "$dir/chain.pem"
printf 'export TAVLIN_SIGN_PKCS11_MODULE=%q\n' "$module"
printf 'export TAVLIN_SIGN_PIN_FILE=%q\n' "$dir/pin"
printf 'export TAVLIN_TEST_CA=%q\n' "$dir/ca.crt"

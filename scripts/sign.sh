#!/usr/bin/env bash
# Signs one Windows file Tavlin ships, in place: Authenticode, SHA-256, with
# the identity the build was configured with (cmake/signing.cmake writes
# CONFIG). The build runs it on each DLL and program after linking, and
# makensis on each setup program and its uninstaller; the packages are
# signed after wixl.
#   sign.sh CONFIG FILE NAME
# NAME is the file's name among everything signed for a release (e.g.
# TavlinAddin-i686.dll). A build that verifies a release
# (scripts/verify-release.sh) signs with no key: it attaches the signature
# the release's own NAME carries, which fits only a file built the same,
# byte for byte.
#
# The PIN or password is only ever read from its file, by osslsigncode
# (-readpass): never on a command line or in a log.
set -euo pipefail
config=${1:?signing.conf} file=${2:?file to sign} name=${3:?its name in the release}

declare -A conf=()
while IFS= read -r line; do
    [[ $line == *=* ]] || continue
    conf[${line%%=*}]=${line#*=}
done <"$config"
mode=${conf[mode]:-}

fail() {
    echo "sign: $name: $*" >&2
    # An unsigned file must not pass for a built one: the next build makes
    # it again.
    rm -f "$file" "$out"
    exit 1
}
out="$file.signing"
rm -f "$out"

case $mode in
key)
    args=(-h sha256 -n "${conf[description]}" -i "${conf[url]}")
    if [[ ${conf[key]} == pkcs11:* ]]; then
        args+=(-pkcs11module "${conf[module]}"
            -certs "${conf[cert]}" -key "${conf[key]}")
    else
        args+=(-pkcs12 "${conf[key]}")
    fi
    [[ -z ${conf[pin_file]:-} ]] || args+=(-readpass "${conf[pin_file]}")
    [[ -z ${conf[softhsm2_conf]:-} ]] || export SOFTHSM2_CONF=${conf[softhsm2_conf]}
    [[ -z ${conf[timestamp_url]:-} ]] || args+=(-ts "${conf[timestamp_url]}")
    log=$(osslsigncode sign "${args[@]}" -in "$file" -out "$out" 2>&1) || fail "osslsigncode could not sign it:"$'\n'"$log"
    ;;
signatures)
    # The build that verifies a release builds unsigned: whatever carries a
    # signature as built was signed by something else.
    if osslsigncode extract-signature -in "$file" -out "$out" >/dev/null 2>&1; then
        fail "it carries a signature as built, before the release's is attached"
    fi
    rm -f "$out"
    sig="${conf[signatures]}/$name.p7"
    if [[ ! -f $sig ]]; then
        echo "sign: $name: no signature to attach ($sig): left unsigned" >&2
        exit 0
    fi
    # osslsigncode attaches it whether or not it fits, and then reports
    # its own check, which fails without the release's CA: the comparison
    # with the release that follows is the check that counts.
    osslsigncode attach-signature -sigin "$sig" -in "$file" -out "$out" >/dev/null 2>&1 || true
    if [[ ! -s $out ]]; then
        rm -f "$out"
        echo "sign: $name: the release's signature could not be attached: left unsigned" >&2
        exit 0
    fi
    ;;
*)
    fail "unknown signing mode '$mode' in $config"
    ;;
esac
[[ -s $out ]] || fail "osslsigncode made no file"
mv -f "$out" "$file"

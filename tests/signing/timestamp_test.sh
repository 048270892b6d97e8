#!/usr/bin/env bash
# A signature time-stamped by an RFC 3161 service, as a release configured
# with TAVLIN_SIGN_TIMESTAMP_URL gets: the build's signing script signs a
# copy of the add-in with the build's identity and the test TSA, served on
# loopback by openssl ts; the countersignature must verify and hold the
# time it was made. An unreachable service must fail the signing and leave
# no file.
#   timestamp_test.sh SIGN_SCRIPT SIGNING_CONF IDENTITY_DIR SIGNED_FILE WORKDIR
set -uo pipefail
sign=${1:?sign.sh} conf=${2:?signing.conf} identity=${3:?test identity} signed=${4:?a signed file}
work=${5:?work folder}
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
source "$(dirname "$0")/lib.sh"

python3 "$here/tsa_server.py" "$identity/tsa.crt" "$identity/tsa.key" "$identity/ca.crt" "$work" \
    >"$work/port" 2>"$work/tsa.log" &
server=$!
trap 'kill "$server" 2>/dev/null' EXIT
for _ in $(seq 1 100); do
    [[ -s $work/port ]] && break
    sleep 0.1
done
port=$(cat "$work/port")
[[ $port =~ ^[0-9]+$ ]] || { echo "FAIL: the time-stamping service did not start: $(cat "$work/tsa.log")"; exit 1; }
echo "time-stamping service on 127.0.0.1:$port"

# sign_with URL OUT: a fresh unsigned copy of the file, signed through URL.
sign_with() {
    sed "s|^timestamp_url=.*|timestamp_url=$1|" "$conf" >"$work/signing.conf"
    osslsigncode remove-signature -in "$signed" -out "$2" >/dev/null
    bash "$sign" "$work/signing.conf" "$2" "$(basename "$signed")" >"$work/sign.log" 2>&1
}

before=$(date -u +%s)
if sign_with "http://127.0.0.1:$port/" "$work/stamped.dll"; then
    osslsigncode verify -CAfile "$identity/ca.crt" -TSA-CAfile "$identity/ca.crt" \
        -in "$work/stamped.dll" >"$work/verify.log" 2>&1
    rc=$?
    stamp=$(sed -n 's/^[[:space:]]*Timestamp time: //p' "$work/verify.log" | head -1)
    stamp_s=$(date -u -d "$stamp" +%s 2>/dev/null || echo 0)
    if ((rc == 0)) && grep -q 'Timestamp Server Signature verification: ok' "$work/verify.log" &&
        ((stamp_s >= before - 1 && stamp_s <= $(date -u +%s) + 1)); then
        ok "time-stamped signature verifies, stamped $stamp by the test TSA"
    else
        bad "time-stamped signature (exit code $rc, time '$stamp'):"$'\n'"$(grep -iE 'timestamp|fail|error' "$work/verify.log")"
    fi
else
    bad "signing with the time-stamping service failed: $(cat "$work/sign.log")"
fi

# Nothing listens on the port once the service is stopped.
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
if sign_with "http://127.0.0.1:$port/" "$work/unreachable.dll"; then
    bad "signing succeeded with no time-stamping service"
elif [[ -e $work/unreachable.dll ]]; then
    bad "a failed signing left its file behind"
else
    ok "no service: signing fails, naming the file, and leaves no file: $(head -1 "$work/sign.log")"
fi

finish "all checks passed"

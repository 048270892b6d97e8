#!/usr/bin/env bash
# Checks a published release against a build of the commit this script
# stands in: anyone can rebuild a release and find it is what the source
# makes, byte for byte, signed by its publisher.
#   verify-release.sh [-CAfile FILE] [-TSA-CAfile FILE] [--build DIR] RELEASE_FOLDER
#
# RELEASE_FOLDER holds what the x86_64 build collects in release/: both
# setup programs, both packages and SHA256SUMS. The commit (HEAD, as
# committed) is built unsigned in a folder of its own, both Windows
# builds, the deliverables only; where the build would sign a file it
# attaches the signature the release's file carries instead, which makes
# the same bytes only when the file it built is the same as the one that
# was signed. Then, one line a file, each released file and each file in
# the setup programs and packages (unpacked with 7zz and msiextract):
# its checksum (SHA256SUMS), its signature (osslsigncode verify, against
# -CAfile or the system's CAs; -TSA-CAfile for the time stamps) and its
# bytes against the build's. Exits non-zero, naming each file that fails.
#
# --build DIR builds in DIR and keeps it; a DIR that holds a finished
# build of the same commit is used again as it is, with the signatures of
# the release it was made for (the tests check altered copies of a release
# that way). TAVLIN_VERIFY_CAFILE and
# TAVLIN_VERIFY_TSA_CAFILE stand for -CAfile and -TSA-CAfile.
set -euo pipefail
shopt -s extglob
repo=$(cd "$(dirname "$0")/.." && pwd)

usage() {
    sed -n '5p' "$0" | sed 's/^# *//' >&2
    exit 2
}
cafile=${TAVLIN_VERIFY_CAFILE:-} tsa_cafile=${TAVLIN_VERIFY_TSA_CAFILE:-} work= release=
while (($#)); do
    case $1 in
    -CAfile) cafile=${2:?}; shift 2 ;;
    -TSA-CAfile) tsa_cafile=${2:?}; shift 2 ;;
    --build) work=${2:?}; shift 2 ;;
    -*) usage ;;
    *) [[ -z $release ]] || usage; release=$1; shift ;;
    esac
done
[[ -n $release && -d $release ]] || usage
release=$(cd "$release" && pwd)
shipped=(TavlinSetup.exe TavlinSetup-x64.exe Tavlin-x64.msi Tavlin-x86.msi)

if [[ -z $work ]]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work"
work=$(cd "$work" && pwd)
say() { printf '%s\n' "$*" >&2; }

# unpack FILE DIR: the files a setup program or package holds; one that
# cannot be unpacked is listed in DIR.failed.
unpack() {
    rm -rf "$2" "$2.failed"
    mkdir -p "$2"
    case $1 in
    *.exe) 7zz x -y -o"$2" "$1" -x'!$PLUGINSDIR' >/dev/null 2>&1 ;;
    *.msi) msiextract -C "$2" "$1" >/dev/null 2>&1 ;;
    esac || touch "$2.failed"
}

# The released files, unpacked, and the signature of each signed file
# under the name the build signs it by (scripts/sign.sh).
unpack_all() { # unpack_all FOLDER OUT
    local f
    for f in "${shipped[@]}"; do
        [[ ! -f $1/$f ]] || unpack "$1/$f" "$2/$f"
    done
}
rm -rf "$work/release" "$work/signatures"
mkdir -p "$work/signatures"
unpack_all "$release" "$work/release"
declare -A signed_as=(
    [TavlinSetup.exe]=TavlinSetup.exe
    [TavlinSetup-x64.exe]=TavlinSetup-x64.exe
    [Tavlin-x64.msi]=Tavlin-x64.msi
    [Tavlin-x86.msi]=Tavlin-x86.msi
    [TavlinSetup.exe/TavlinAddin.dll]=TavlinAddin-i686.dll
    [TavlinSetup.exe/x64/TavlinAddin.dll]=TavlinAddin-x86_64.dll
    [TavlinSetup.exe/Tavlinar.exe]=Tavlinar-i686.exe
    [TavlinSetup-x64.exe/Tavlinar.exe]=Tavlinar-x86_64.exe
    [TavlinSetup.exe/Uninstall.exe]=Uninstall-x86.exe
    [TavlinSetup-x64.exe/Uninstall.exe]=Uninstall-x64.exe
)
for rel in "${!signed_as[@]}"; do
    src=$release/$rel
    [[ $rel == */* ]] && src=$work/release/$rel
    [[ -f $src ]] || continue
    osslsigncode extract-signature -in "$src" -out "$work/signatures/${signed_as[$rel]}.p7" >/dev/null 2>&1 ||
        rm -f "$work/signatures/${signed_as[$rel]}.p7"
done

# The build, from the commit as committed, at the commit's time.
commit=$(git -C "$repo" rev-parse HEAD)
built=$work/src/build/mingw-x86_64/release
if [[ $(cat "$work/built" 2>/dev/null) != "$commit" ]]; then
    if [[ -n $(git -C "$repo" status --porcelain --untracked-files=no) ]]; then
        say "verify-release: the working tree has changes; building the commit $commit as committed"
    fi
    rm -rf "$work/src" "$work/built"
    mkdir -p "$work/src"
    git -C "$repo" archive --format=tar "$commit" | tar -xf - -C "$work/src"
    say "verify-release: building $commit in $work/src (both Windows builds, the deliverables only)"
    (
        cd "$work/src"
        for v in TAVLIN_SIGN_KEY TAVLIN_SIGN_CERT TAVLIN_SIGN_PKCS11_MODULE TAVLIN_SIGN_PIN_FILE \
            TAVLIN_SIGN_TIMESTAMP_URL; do
            unset "$v"
        done
        export TAVLIN_SIGN_SIGNATURES=$work/signatures
        SOURCE_DATE_EPOCH=$(git -C "$repo" log -1 --format=%ct "$commit")
        export SOURCE_DATE_EPOCH
        cmake --preset mingw-i686 >build-i686.log
        cmake --build --preset mingw-i686 --target TavlinAddin Tavlinar >>build-i686.log
        cmake --preset mingw-x86_64 >build-x86_64.log
        cmake --build --preset mingw-x86_64 --target release >>build-x86_64.log
    ) || {
        say "verify-release: the build failed; see $work/src/build-*.log"
        exit 1
    }
    echo "$commit" >"$work/built"
fi
rm -rf "$work/built-unpacked"
unpack_all "$built" "$work/built-unpacked"

# check NAME RELEASED BUILT: one line; counts a failure.
failed=()
check() {
    local name=$1 file=$2 twin=$3 problems=() at
    if [[ $name == *.@(exe|dll|msi) ]]; then
        local args=()
        [[ -z $cafile ]] || args+=(-CAfile "$cafile")
        [[ -z $tsa_cafile ]] || args+=(-TSA-CAfile "$tsa_cafile")
        if ! osslsigncode verify "${args[@]}" -in "$file" >"$work/verify.log" 2>&1; then
            if grep -q 'No signature found' "$work/verify.log"; then
                problems+=("carries no signature")
            else
                problems+=("its signature does not verify")
            fi
        fi
    fi
    [[ ! -e $work/release/$name.failed ]] || problems+=("could not be unpacked")
    [[ ! -e $work/built-unpacked/$name.failed ]] || problems+=("the build's could not be unpacked")
    if [[ ! -f $twin ]]; then
        problems+=("the build made no such file")
    elif ! at=$(cmp "$file" "$twin" 2>&1); then
        case $at in
        *differ:*) at="first at $(sed 's/.*differ: //; s/,.*//' <<<"$at")" ;;
        *EOF*) at="$(stat -c %s "$file") bytes, the build's $(stat -c %s "$twin")" ;;
        esac
        problems+=("differs from the build's ($at)")
    fi
    if ((${#problems[@]} == 0)); then
        [[ $name != *.@(exe|dll|msi) ]] || problems=("signature verified,")
        echo "ok    $name: ${problems[*]:+${problems[*]} }same as built"
    else
        local text
        text=$(printf '; %s' "${problems[@]}")
        echo "FAIL  $name: ${text#; }"
        failed+=("$name")
    fi
}

if (cd "$release" && sha256sum --quiet -c SHA256SUMS) >"$work/sums.log" 2>&1; then
    listed=$(awk '{print $2}' "$release/SHA256SUMS" | sed 's/^\*//' | sort | tr '\n' ' ')
    want=$(printf '%s\n' "${shipped[@]}" | sort | tr '\n' ' ')
    if [[ $listed == "$want" ]]; then
        echo "ok    SHA256SUMS: every file's checksum matches"
    else
        echo "FAIL  SHA256SUMS: lists $listed, want $want"
        failed+=(SHA256SUMS)
    fi
else
    echo "FAIL  SHA256SUMS: $(grep -v '^sha256sum' "$work/sums.log" | tr '\n' ' ')"
    failed+=(SHA256SUMS)
fi
for f in "${shipped[@]}"; do
    if [[ ! -f $release/$f ]]; then
        echo "FAIL  $f: not in the release"
        failed+=("$f")
        continue
    fi
    check "$f" "$release/$f" "$built/$f"
    while IFS= read -r inner; do
        check "$f/$inner" "$work/release/$f/$inner" "$work/built-unpacked/$f/$inner"
    done < <(cd "$work/release/$f" && find . -type f | sed 's|^\./||' | sort)
done

if ((${#failed[@]} > 0)); then
    echo "verify-release: ${#failed[@]} file(s) failed: ${failed[*]}"
    exit 1
fi
echo "verify-release: the release is commit $commit, byte for byte, and every signature verifies"

#!/usr/bin/env bash
# Checks a built Windows Installer package without Windows, by its tables
# (msiinfo) and its files (msiextract), as a release is checked before it
# ships; the Wine tests install it.
#   check_msi.sh PACKAGE ARCH VERSION CONTROL_EXE ADDIN32 ADDIN64 POLICY_DIR
# POLICY_DIR holds the administrative templates: Tavlin.admx, and
# LOCALE/Tavlin.adml for each language.
set -uo pipefail
msi=${1:?package} arch=${2:?x86 or x64} version=${3:?version} control=${4:?control exe}
addin32=${5:?i686 add-in} addin64=${6:?x86_64 add-in} policy=${7:?folder of the administrative templates}
locales=($(cd "$policy" && printf '%s\n' */Tavlin.adml | sed 's|/Tavlin.adml$||'))

failures=0
ok() { printf '  ok   %s\n' "$*"; }
bad() {
    printf '  FAIL %s\n' "$*"
    failures=$((failures + 1))
}
[[ -f $msi ]] || { echo "FAIL: $msi was not built"; exit 1; }

# table NAME: the table's rows, tab-separated, without its three header
# lines; nothing when the package has no such table.
table() { msiinfo export "$msi" "$1" 2>/dev/null | tail -n +4 | tr -d '\r'; }
property() { table Property | awk -F '\t' -v p="$1" '$1 == p { print $2 }'; }
expect_equal() { if [[ $2 == "$3" ]]; then ok "$1 = $2"; else bad "$1: got '$2', want '$3'"; fi; }

echo "== $msi ($arch)"
case $arch in
x64) expect_equal "template" "$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p')" 'x64;1033' ;;
x86) expect_equal "template" "$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p')" 'Intel;1033' ;;
*) bad "unknown arch $arch" ;;
esac
expect_equal "ALLUSERS" "$(property ALLUSERS)" 1
expect_equal "ProductVersion" "$(property ProductVersion)" "$version"
expect_equal "ProductName" "$(property ProductName)" Tavlin
expect_equal "Manufacturer" "$(property Manufacturer)" Drevalo
expect_equal "ARPNOMODIFY" "$(property ARPNOMODIFY)" 1
[[ $(property UpgradeCode) =~ ^\{[0-9A-F-]{36}\}$ ]] && ok "UpgradeCode $(property UpgradeCode)" ||
    bad "UpgradeCode: '$(property UpgradeCode)'"

# Self-registration would run the DLL's own code under the installer, out
# of reach of rollback, repair and advertising: the Registry table does it.
selfreg=$(table SelfReg)
if [[ -z $selfreg ]]; then ok "no SelfReg rows"; else bad "SelfReg rows: $selfreg"; fi
for action in SelfRegModules SelfUnregModules; do
    if table InstallExecuteSequence | cut -f1 | grep -qx "$action"; then bad "$action is sequenced"; else ok "no $action"; fi
done
custom=$(table CustomAction | cut -f1 | grep -v '^WIX_' || true)
if [[ -z $custom ]]; then ok "no custom actions of ours"; else bad "custom actions: $custom"; fi

# Each component's bitness decides the registry view its rows go to, and
# the 64-bit one of the x64 package must not be a 32-bit one by default.
declare -A want_bits
if [[ $arch == x64 ]]; then
    want_bits=([Control]=64 [Addin32]=32 [Addin64]=64 [StartMenu]=64 [Admx]=64)
else
    want_bits=([Control]=32 [Addin32]=32 [StartMenu]=32 [Admx]=32)
fi
[[ -n ${TAVLIN_HAND_CURSOR_SHIPPED:-} ]] && want_bits[HandCursor]=${want_bits[Control]}
# A component per language file.
for l in "${locales[@]}"; do
    want_bits[Adml_${l//-/_}]=${want_bits[Control]}
done
components=$(table Component)
for c in "${!want_bits[@]}"; do
    attributes=$(awk -F '\t' -v c="$c" '$1 == c { print $4 }' <<<"$components")
    if [[ -z $attributes ]]; then
        bad "component $c is missing"
        continue
    fi
    bits=32
    (((attributes & 256) != 0)) && bits=64
    expect_equal "component $c's bitness" "$bits" "${want_bits[$c]}"
done
count=$(grep -c . <<<"$components")
expect_equal "components" "$count" "${#want_bits[@]}"

# Registration rows: each DLL's component holds its class, and Word's
# add-in key under HKLM (root 2), nowhere else.
registry=$(table Registry)
roots=$(cut -f2 <<<"$registry" | sort -u | tr '\n' ' ')
expect_equal "registry roots" "$roots" "2 "
for c in Addin32 $([[ $arch == x64 ]] && echo Addin64); do
    file=AddinDll${c#Addin}
    rows=$(awk -F '\t' -v c="$c" '$6 == c' <<<"$registry")
    grep -qP '\tSoftware\\Classes\\CLSID\\\{[0-9A-F-]{36}\}\\InprocServer32\t\t\[#'"$file"'\]\t' <<<"$rows" &&
        ok "$c: InprocServer32 is [#$file]" || bad "$c: no InprocServer32 row naming [#$file]"
    grep -qP '\tSoftware\\Microsoft\\Office\\Word\\AddIns\\TavlinCom\.Connect\tLoadBehavior\t#3\t' <<<"$rows" &&
        ok "$c: Word's add-in key, LoadBehavior 3" || bad "$c: no LoadBehavior 3 row"
done
marker=$(awk -F '\t' '$3 == "Software\\Drevalo\\Tavlin"' <<<"$registry")
grep -qP '\tInstallFolder\t\[INSTALLDIR\]\tControl$' <<<"$marker" && ok "marker InstallFolder, with the control program" ||
    bad "marker InstallFolder: $marker"
grep -qP '\tProductCode\t\[ProductCode\]\tControl$' <<<"$marker" && ok "marker ProductCode" || bad "marker ProductCode: $marker"

# Refusals that Windows Installer's own checks do not make for us.
conditions=$(table LaunchCondition)
grep -q 'NSIS_INSTALLATION_64 OR NSIS_INSTALLATION_32' <<<"$conditions" && ok "refuses over the setup program's installation" ||
    bad "no condition on the setup program's installation"
grep -qP '^NOT WIX_DOWNGRADE_DETECTED\tA newer version of Tavlin is already installed' <<<"$conditions" &&
    ok "refuses a downgrade, saying why" || bad "no downgrade condition"
if [[ $arch == x64 ]]; then
    grep -qP '^Installed OR VersionNT64\t' <<<"$conditions" && ok "refuses 32-bit Windows" || bad "no VersionNT64 condition"
else
    grep -qP '^Installed OR NOT VersionNT64\t.*Tavlin-x64\.msi' <<<"$conditions" &&
        ok "refuses 64-bit Windows, naming Tavlin-x64.msi" || bad "no NOT VersionNT64 condition naming the x64 package"
fi

# The files, byte for byte, where the installation puts them.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && msiextract "$msi" >/dev/null) || bad "msiextract failed"
# msiextract names the top folder as it likes: the installation's is where
# the control program is.
root=$(find "$scratch" -name Tavlinar.exe -printf '%h\n' | head -n 1)
declare -A want_files=([Tavlinar.exe]=$control [TavlinAddin.dll]=$addin32
    [PolicyDefinitions/Tavlin.admx]=$policy/Tavlin.admx)
for l in "${locales[@]}"; do
    want_files[PolicyDefinitions/$l/Tavlin.adml]=$policy/$l/Tavlin.adml
done
[[ $arch == x64 ]] && want_files[x64/TavlinAddin.dll]=$addin64
for f in "${!want_files[@]}"; do
    if cmp -s "$root/$f" "${want_files[$f]}"; then ok "file $f"; else bad "file $f differs from ${want_files[$f]}"; fi
done
expect_equal "files" "$(find "${root:-$scratch/none}" -type f | wc -l)" "${#want_files[@]}"

# A versioned file carries its version in the File table, and no hash:
# Windows Installer's rules for replacing files depend on it, and Wine's
# msiexec does not enforce them.
pe_version() {
    python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
# VS_FIXEDFILEINFO's signature, in the resource named VS_VERSION_INFO.
at = data.find(b"\xbd\x04\xef\xfe", data.find("VS_VERSION_INFO".encode("utf-16-le")))
if at < 0:
    print("none")
else:
    ms, ls = struct.unpack_from("<II", data, at + 8)
    print(f"{ms >> 16}.{ms & 0xffff}.{ls >> 16}.{ls & 0xffff}")
PY
}
files=$(table File)
hashes=$(table MsiFileHash | cut -f1)
declare -A versioned=([TavlinarExe]=$control [AddinDll32]=$addin32)
[[ $arch == x64 ]] && versioned[AddinDll64]=$addin64
for id in "${!versioned[@]}"; do
    expect_equal "$id's Version" "$(awk -F '\t' -v f="$id" '$1 == f { print $5 }' <<<"$files")" \
        "$(pe_version "${versioned[$id]}")"
    if grep -qx "$id" <<<"$hashes"; then bad "$id, versioned, has a hash row"; else ok "$id: no hash row"; fi
done

size=$(stat -c %s "$msi")
((size < 4 * 1024 * 1024)) && ok "size $((size / 1024)) KiB" || bad "size $size bytes"
((failures == 0)) || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"

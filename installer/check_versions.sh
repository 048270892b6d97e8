#!/usr/bin/env bash
# Two versions of a package, checked as Windows Installer's component rules
# and major upgrades want them, which Wine's msiexec does not enforce: the
# same UpgradeCode, each version its own ProductCode, and every component
# keeping its GUID (a component's GUID names its files and keys for good).
#   check_versions.sh PACKAGE OTHER_VERSION_PACKAGE
set -uo pipefail
a=${1:?package} b=${2:?another version of it}
failures=0
ok() { printf '  ok   %s\n' "$*"; }
bad() {
    printf '  FAIL %s\n' "$*"
    failures=$((failures + 1))
}
property() { msiinfo export "$1" Property | tr -d '\r' | awk -F '\t' -v p="$2" '$1 == p { print $2 }'; }
components() { msiinfo export "$1" Component | tr -d '\r' | tail -n +4 | cut -f1,2 | sort; }

[[ $(property "$a" ProductVersion) != "$(property "$b" ProductVersion)" ]] &&
    ok "versions $(property "$a" ProductVersion) and $(property "$b" ProductVersion)" || bad "the same version twice"
[[ $(property "$a" UpgradeCode) == "$(property "$b" UpgradeCode)" ]] && ok "one UpgradeCode" || bad "UpgradeCodes differ"
[[ $(property "$a" ProductCode) != "$(property "$b" ProductCode)" ]] && ok "a ProductCode each" || bad "one ProductCode for two versions"
if [[ $(components "$a") == "$(components "$b")" ]]; then
    ok "every component keeps its GUID ($(components "$a" | wc -l) components)"
else
    bad "components differ:"
    diff <(components "$a") <(components "$b")
fi
((failures == 0)) || exit 1
echo "all checks passed"

#!/usr/bin/env bash
# A package on the Windows it is not for is refused, silently, with
# nothing installed: the x86 package on 64-bit Windows (whose users need the
# x64 one, for 64-bit Word too), the x64 package on 32-bit Windows.
#   refused_test.sh TEMPLATE WORKDIR ARCH PACKAGE VERSION
set -uo pipefail
tavlin_refusal_test=1
source "$(dirname "$0")/lib.sh" "$@"

if ((windows64)); then kind=64-bit; else kind=32-bit; fi
say "msiexec /i of the $package_arch package on $kind Windows"
msiexec /i "\"$package_path\""
# Windows Installer itself refuses an x64 package on 32-bit Windows (1633,
# ERROR_INSTALL_PLATFORM_UNSUPPORTED) before the package's own conditions
# (1603) are read; either is a refusal, 0 is not.
case $msi_rc in
1603 | 1633) ok "refused: exit code $msi_rc" ;;
*)
    bad "exit code $msi_rc, want 1603 or 1633"
    msi_log_tail
    ;;
esac
[[ $msi_rc == 1603 ]] && expect_log "the launch conditions refused it" "LaunchConditions. Return value 0."
check_nothing_installed
finish

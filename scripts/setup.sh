#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine of
# this kind. Quick when everything is already there: it only asks apt when a
# command or header is missing.
set -euo pipefail

want=(
  cmake g++ make ninja-build pkg-config
  googletest libgtest-dev libbenchmark-dev
  libxml2-utils clang-format locales
  gettext python3-polib
)
if [[ "${TAVLIN_NATIVE_ONLY:-0}" != 1 ]]; then
  want+=(
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
    libwine-dev wine wine64 wine32:i386 xvfb xauth x11-utils fonts-wine nsis
    imagemagick xdotool 7zip wixl msitools
    fonts-wqy-microhei fonts-freefont-ttf fonts-dejavu-core
  )
  # Wine's preloaders keep the low addresses a Windows process needs at
  # fixed places (the shared user data at 0x7ffe0000, the system DLLs)
  # free before Linux maps anything. Without them Wine's loader has its C
  # heap placed at random above it, and now and then over that page: the
  # program then ends with exit code 1 before its first line ("failed to
  # map the shared user data", an error Wine's quiet mode hides).
  want+=(wine64-preloader wine32-preloader:i386)
  # Signing: osslsigncode signs (2.5, Debian's, or later), the PKCS#11
  # engine lets it reach a key in a token, SoftHSM2 is the token the tests
  # make their own test identity in.
  want+=(osslsigncode libengine-pkcs11-openssl softhsm2)
fi

# A kernel that runs no 32-bit x86 programs itself (some hosts run 64-bit
# user code only) still runs them through qemu's user-mode emulator,
# registered with binfmt_misc as the interpreter of i386 programs. Bookworm's
# qemu (7.2) takes about a minute to start one 32-bit Wine program, its page
# bookkeeping being linear in the address space Wine reserves; 8.1 and later
# take half a second, so on bookworm it comes from bookworm-backports.
here=$(dirname "$0")
emulate_i386=0
if [[ "${TAVLIN_NATIVE_ONLY:-0}" != 1 ]] && ! bash "$here/kernel-32bit.sh" --kernel >/dev/null; then
  emulate_i386=1
fi
qemu_i386=/usr/bin/qemu-i386
qemu_fit() {
  local v
  v=$("$qemu_i386" --version 2>/dev/null | sed -n '1s/^qemu-i386 version \([0-9]*\)\.\([0-9]*\).*/\1 \2/p')
  [[ -n $v ]] && read -r major minor <<<"$v" && ((major > 8 || (major == 8 && minor >= 1)))
}

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
want_qemu=0
if ((emulate_i386)) && ! qemu_fit; then want_qemu=1; fi

sudo_cmd=()
if [[ $(id -u) != 0 ]]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive

# A mirror in the middle of a sync serves an index that does not match its
# release file, and apt-get update fails; a later try usually finds it
# whole. One machine's mirror kept serving an older i386 index of
# bookworm-security for days, which leaves wine32's libraries out of reach
# (they must match the amd64 ones exactly). Such an index is fetched as the
# mirror serves it and used unverified, with a warning naming it.
apt_update() {
  local log ok=0 url name
  log=$(mktemp)
  for attempt in 1 2 3; do
    if "${sudo_cmd[@]}" apt-get update -qq 2>"$log"; then ok=1; break; fi
    cat "$log" >&2
    echo "setup: apt-get update failed (try $attempt of 3)" >&2
    ((attempt < 3)) && sleep 20
  done
  if ((!ok)); then
    for url in $(grep -oE 'Failed to fetch http://[^ ]+/Packages\.xz +File has unexpected size' "$log" |
      awk '{print $4}' | sort -u); do
      name=${url#http://}
      name=/var/lib/apt/lists/${name//\//_}
      name=${name%.xz}
      echo "setup: WARNING: using $url unverified: the mirror serves it, but not as its signed release file lists it" >&2
      curl -fsS "$url" | xz -dc | "${sudo_cmd[@]}" tee "$name" >/dev/null ||
        echo "setup: could not fetch $url" >&2
    done
  fi
  rm -f "$log"
}

if ((${#missing[@]} > 0 || want_qemu)); then
  # wine32 (the 32-bit half of Wine's WoW64 form, which runs the i686
  # build) comes from the i386 architecture.
  if [[ " ${missing[*]} " == *" wine32:i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  backports=
  if ((want_qemu)) && [[ $codename == bookworm ]]; then
    backports=bookworm-backports
    if ! grep -rqs "$backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
      printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' "Suites: $backports" 'Components: main' \
        'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
        "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/tavlin-backports.sources >/dev/null
    fi
  fi
  apt_update
  if ((${#missing[@]} > 0)); then
    echo "setup: installing ${missing[*]}" >&2
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
  fi
  if ((want_qemu)); then
    echo "setup: installing qemu-user${backports:+ from $backports} (this kernel runs no 32-bit programs)" >&2
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends ${backports:+-t "$backports"} qemu-user >&2
    qemu_fit || echo "setup: WARNING: $qemu_i386 is older than 8.1: 32-bit Wine programs will start slowly" >&2
  fi
fi

if ((emulate_i386)); then
  binfmt=/proc/sys/fs/binfmt_misc
  if [[ ! -e $binfmt/register ]]; then
    "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$binfmt"
  fi
  if [[ -e $binfmt/tavlin-i386 ]]; then
    echo -1 | "${sudo_cmd[@]}" tee "$binfmt/tavlin-i386" >/dev/null
  fi
  # binfmt_misc reads the \x escapes itself. F opens the emulator now, so
  # it also serves programs started in another mount namespace.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":tavlin-i386:M::$magic:$mask:$qemu_i386:F" | "${sudo_cmd[@]}" tee "$binfmt/register" >/dev/null
  bash "$here/kernel-32bit.sh" --kernel >&2 || exit 1
  echo "setup: 32-bit programs run here through $qemu_i386 (binfmt_misc)" >&2
fi

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
  # Signing: osslsigncode signs (2.5, Debian's, or later), the PKCS#11
  # engine lets it reach a key in a token, SoftHSM2 is the token the tests
  # make their own test identity in.
  want+=(osslsigncode libengine-pkcs11-openssl softhsm2)
fi

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "setup: installing ${missing[*]}" >&2
sudo_cmd=()
if [[ $(id -u) != 0 ]]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
# wine32 (the 32-bit half of Wine's WoW64 form, which runs the i686 build)
# comes from the i386 architecture.
if [[ " ${missing[*]} " == *" wine32:i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
# A mirror in the middle of a sync serves an index that does not match its
# release file, and apt-get update fails; a later try usually finds it
# whole. What is there after the tries is used either way: the install
# says what it could not find.
for attempt in 1 2 3; do
  "${sudo_cmd[@]}" apt-get update -qq >&2 && break
  echo "setup: apt-get update failed (try $attempt of 3)" >&2
  ((attempt < 3)) && sleep 20
done
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2

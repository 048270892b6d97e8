#!/usr/bin/env bash
# The whole suite: native unit tests, then both Windows cross builds with
# their checks, the x86_64 one running its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

step() { printf '\n== %s\n' "$*"; }

step "native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

for arch in i686 x86_64; do
  step "Windows $arch build and tests"
  cmake --preset mingw-$arch >/dev/null
  cmake --build --preset mingw-$arch
  ctest --preset mingw-$arch
done

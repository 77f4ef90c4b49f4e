#!/usr/bin/env bash
# Builds the release build and from it the Debian package build/release/quarvel_<version>_<arch>.deb
# (dependencies found by dpkg-shlibdeps). Install it with: apt install ./build/release/quarvel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --package
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset release "${launcher[@]}" >/dev/null
cmake --build --preset release
(cd build/release && cpack -G DEB)
ls -1 build/release/quarvel_*.deb

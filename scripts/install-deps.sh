#!/usr/bin/env bash
# Installs the Debian packages Quarvel needs to build, test and look at, when some are missing.
#   install-deps.sh             everything: build, tests, sanitizers, fuzzing, packaging checks
#   install-deps.sh --run-only  what building and starting the program needs
#   install-deps.sh --package   what building the Debian package needs
set -euo pipefail

# Building the program: compiler, Qt, the libraries the operations use, the help compiler and
# the icon renderer.
build=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libgmp-dev libgeographiclib-dev libproj-dev proj-data libssl-dev
  libprimesieve-dev libprimecount-dev libecm-dev libmpfr-dev
  libexif-dev libzxing-dev zlib1g-dev
  fp-utils librsvg2-bin fonts-dejavu-core fonts-dejavu-extra
  fortunes fortunes-de
  fonts-noto-core
)
packages=(
  "${build[@]}" ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format locales unicode-data
  xvfb xauth imagemagick
  dpkg-dev file desktop-file-utils appstream lintian
)
if [ "${1:-}" = "--run-only" ]; then
  packages=("${build[@]}" xvfb xauth imagemagick)
fi
if [ "${1:-}" = "--package" ]; then
  packages=("${build[@]}" dpkg-dev file)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages need root: run as root, or: sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

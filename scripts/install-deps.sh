#!/usr/bin/env bash
# Installs the Debian packages Quarvel needs to build, test and look at, when some are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libgeographiclib-dev libproj-dev proj-data
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth imagemagick fonts-dejavu-core fonts-dejavu-extra
)
if [ "${1:-}" = "--run-only" ]; then
  packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
            libgeographiclib-dev libproj-dev proj-data
            xvfb xauth imagemagick fonts-dejavu-core fonts-dejavu-extra)
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

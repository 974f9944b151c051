#!/usr/bin/env bash
# Installs what building, testing and running the environment need on Debian 12,
# and nothing that is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-dejavu-core
  poppler-utils
)
# For make install and make package, and the tests that check what they make: the
# validators of the desktop entry and the metadata, the MIME database and the
# file-type queries of the desktop, the manual-page viewer, the package tools.
packages+=(
  desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
  man-db file dpkg-dev lintian
)
# For make run without a desktop: a virtual display and a small window manager.
if [[ "${NUV_WITH_XVFB:-0}" == 1 ]]; then
  packages+=(xvfb xauth openbox)
fi
# For make fuzz: clang with libFuzzer and the sanitizer runtimes, and the symbolizer for reports.
if [[ "${NUV_WITH_FUZZ:-0}" == 1 ]]; then
  packages+=(clang-14 libclang-rt-14-dev llvm-14)
fi
# For make test-cluster: a Slurm of one node, with munge for its authentication.
if [[ "${NUV_WITH_SLURM:-0}" == 1 ]]; then
  packages+=(slurm-wlm munge)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libfreexl-dev libzip-dev
  libgdal-dev gdal-bin python3-gdal
  libcli11-dev libnlopt-cxx-dev
  googletest libgtest-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format-14
  python3 python3-dev pybind11-dev python3-numpy python3-pytest python3-matplotlib
  parallel slurm-wlm munge
  dpkg-dev file help2man librsvg2-bin lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build and the tests need (Debian packages).
set -euo pipefail
pkgs=(cmake ninja-build g++ libgtest-dev libreadline-dev libgomp1 qt6-base-dev libgl-dev
      libqcustomplot-dev qt6-svg-dev libpng-dev libnetcdf-dev nlohmann-json3-dev libssl-dev
      xvfb xauth poppler-utils fonts-dejavu-core time python3 clang-14 libclang-rt-14-dev libomp-14-dev
      gfortran scdoc man-db desktop-file-utils appstream librsvg2-bin dpkg-dev file)
# The NetCDF readers the tests hold arborix.nc against, without what they
# only recommend (dozens of Python, GIS and plotting packages).
readers=(python3-xarray python3-netcdf4 cdo r-cran-ncdf4)
missing_of() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${pkgs[@]}")
mapfile -t missing_readers < <(missing_of "${readers[@]}")
if [ ${#missing[@]} -gt 0 ] || [ ${#missing_readers[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  [ ${#missing[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
  [ ${#missing_readers[@]} -eq 0 ] ||
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing_readers[@]}"
fi

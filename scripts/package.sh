#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a clean build folder, build-pkg/ (Release,
# with the window), and prints the path of the .deb on its last line.  The
# build's own output goes to standard error.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
rm -rf build-pkg
{
  cmake -G Ninja -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release -DARBORIX_WINDOW=ON -DCMAKE_INSTALL_PREFIX=/usr
  cmake --build build-pkg -j"$(nproc)" --target package_files
  (cd build-pkg && cpack -G DEB)
} >&2
debs=(build-pkg/arborix_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "package.sh: expected one .deb in build-pkg/, found: ${debs[*]}" >&2
  exit 1
fi
echo "$top/${debs[0]}"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every test: the normal build, then the unit tests and the
# golden scenarios again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"

cmake -G Ninja -S . -B build-asan -DARBORIX_WERROR=ON -DARBORIX_SANITIZE=ON -DARBORIX_WINDOW=OFF \
      -DCMAKE_BUILD_TYPE=Debug > /dev/null
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

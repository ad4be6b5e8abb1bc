#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds both programs and the tests into build/ (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -G Ninja -S . -B build -DARBORIX_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$(nproc)"

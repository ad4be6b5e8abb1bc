#!/usr/bin/env bash
# Builds both programs and the tests into build/ (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -G Ninja -S . -B build -DARBORIX_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$(nproc)"

#!/usr/bin/env bash
# Builds Zemtra with warnings as errors and runs every test. Installs missing packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build=${ZEMTRA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMTRA_WERROR=ON
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300

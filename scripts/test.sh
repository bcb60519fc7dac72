#!/usr/bin/env bash
# Builds Zemtra with warnings as errors and runs every test. With ZEMTRA_TEST_FULL=1 it then runs
# the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/) and
# every fuzz target for a few seconds (build-fuzz/); any sanitizer report fails the run.
# Installs missing packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build=${ZEMTRA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMTRA_WERROR=ON
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300
# The sanitizer suite and the short fuzz runs take another two full builds; they run when
# ZEMTRA_TEST_FULL=1 is set.
[ "${ZEMTRA_TEST_FULL:-0}" = 1 ] || exit 0

# The sanitizer options are in force for the build too: test discovery runs the programs.
. scripts/sanitizers/env.sh
asan=${ZEMTRA_ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZEMTRA_SANITIZE=address,undefined -DZEMTRA_BENCH=OFF
cmake --build "$asan" -j"$(nproc)"
ctest --test-dir "$asan" --output-on-failure -j"$(nproc)" --timeout 600

./scripts/fuzz.sh "${ZEMTRA_FUZZ_SECONDS:-10}"

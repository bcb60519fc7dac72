#!/usr/bin/env bash
# Checks the sources, builds Zemtra and runs every test. First, in seconds, the include layers
# (scripts/check_layers.py) and the formatting (scripts/check_format.sh); then three stages:
#   1. the plain suite, warnings as errors (build/);
#   2. the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, built with
#      clang together with the libFuzzer targets, which then run ZEMTRA_FUZZ_SECONDS (10) each
#      (build-asan/);
#   3. the threaded tests under ThreadSanitizer (scripts/tsan.sh, build-tsan/).
# Any failure or sanitizer report fails the run. ZEMTRA_TEST_QUICK=1 stops after stage 1.
# Installs missing packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/check_layers.py
./scripts/check_format.sh
started=$SECONDS
stage() { echo "test: $1 passed ($((SECONDS - started)) s so far)"; }

build=${ZEMTRA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMTRA_WERROR=ON
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300
stage "plain suite"
[ "${ZEMTRA_TEST_QUICK:-0}" = 1 ] && exit 0

# The sanitizer options are in force for the build too: test discovery runs the programs.
# -O1 with line tables only: the sanitizer builds compile in half the time of -O2 -g and still
# give file and line in every report.
. scripts/sanitizers/env.sh
asan=${ZEMTRA_ASAN_BUILD_DIR:-build-asan}
CC=clang CXX=clang++ cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG" \
  -DZEMTRA_FUZZ=ON -DZEMTRA_BENCH=OFF
cmake --build "$asan" -j"$(nproc)"
ctest --test-dir "$asan" --output-on-failure -j"$(nproc)" --timeout 600
stage "AddressSanitizer and UndefinedBehaviorSanitizer suite"
ZEMTRA_FUZZ_BUILD_DIR="$asan" ./scripts/fuzz.sh "${ZEMTRA_FUZZ_SECONDS:-10}"
stage "short fuzz runs"

./scripts/tsan.sh
stage "ThreadSanitizer tests"

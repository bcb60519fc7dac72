#!/usr/bin/env bash
# Checks the sources, builds Zemtra and runs every test. First, in seconds, the include layers
# (scripts/check_layers.py) and the formatting (scripts/check_format.sh); then three stages:
#   1. the plain suite, warnings as errors (build/);
#   2. the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, built with
#      clang together with the libFuzzer targets, which then run ZEMTRA_FUZZ_SECONDS (10) each
#      (build-asan/; the tests labelled "fuzz");
#   3. the tests that run threads (label "threads") under ThreadSanitizer (scripts/tsan.sh,
#      build-tsan/), built while the fuzzers run.
# Every test runs under CTest with a time limit. Any failure or sanitizer report fails the run.
# ZEMTRA_TEST_QUICK=1 stops after stage 1. Installs missing packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/check_layers.py
./scripts/check_format.sh
started=$SECONDS
stage() { echo "test: $1 passed ($((SECONDS - started)) s so far)"; }

# -g1: line tables and function names, all a failing test's backtrace needs; full debug
# information took a third of this build's compile time.
build=${ZEMTRA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMTRA_WERROR=ON \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
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
ctest --test-dir "$asan" --output-on-failure -j"$(nproc)" --timeout 600 -LE fuzz
stage "AddressSanitizer and UndefinedBehaviorSanitizer suite"

# One fuzzer at a time leaves a core to build the ThreadSanitizer stage meanwhile.
tsan_log=$(mktemp)
./scripts/tsan.sh --build-only >"$tsan_log" 2>&1 &
tsan_build=$!
fuzz_status=0
ctest --test-dir "$asan" --output-on-failure --timeout $((${ZEMTRA_FUZZ_SECONDS:-10} + 300)) \
  -L fuzz || fuzz_status=$?
tsan_status=0
wait "$tsan_build" || tsan_status=$?
[ "$fuzz_status" = 0 ] || exit "$fuzz_status"
stage "short fuzz runs"
if [ "$tsan_status" != 0 ]; then
  cat "$tsan_log" >&2
  exit "$tsan_status"
fi
rm -f "$tsan_log"

./scripts/tsan.sh
stage "ThreadSanitizer tests"

#!/usr/bin/env bash
# Checks the sources, builds Zemtra and runs every test. First, in seconds, the include layers
# (scripts/check_layers.py) and the formatting (scripts/check_format.sh); then three stages:
#   1. the plain suite, warnings as errors (build/);
#   2. the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, built with
#      clang together with the libFuzzer targets, which then run ZEMTRA_FUZZ_SECONDS (10) each
#      (build-asan/; the tests labelled "fuzz");
#   3. the tests that run threads (label "threads") under ThreadSanitizer (scripts/tsan.sh,
#      build-tsan/).
# Every test runs under CTest with a time limit. Any failure or sanitizer report fails the run.
# ZEMTRA_TEST_QUICK=1 stops after stage 1. Installs missing packages first.
# Building dominated on a small machine: the builds share fast options (scripts/build_options.sh)
# and compile the test programs' own code unoptimised.
# The stages run one after the other, each on every core: this machine's scheduler ignores
# nice, so a build in the background only slowed the tests beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/check_layers.py
./scripts/check_format.sh
started=$SECONDS
stage() { echo "test: $1 passed ($((SECONDS - started)) s so far)"; }
. scripts/build_options.sh
quick=${ZEMTRA_TEST_QUICK:-0}

# Configuring holds one core for seconds, so the sanitizer builds are configured beside the plain
# one.
asan=${ZEMTRA_ASAN_BUILD_DIR:-build-asan}
if [ "$quick" != 1 ]; then
  configure_log=$(mktemp)
  trap 'rm -f "$configure_log"' EXIT
  CC=clang CXX=clang++ cmake -S . -B "$asan" "${sanitizer_build[@]}" -DZEMTRA_FUZZ=ON \
    >"$configure_log" 2>&1 &
  asan_configured=$!
  ./scripts/tsan.sh --configure-only >/dev/null &
  tsan_configured=$!
fi

# -g1: line tables and function names, all a failing test's backtrace needs; full debug
# information took a third of this build's compile time.
build=${ZEMTRA_BUILD_DIR:-build}
cmake -S . -B "$build" "${fast_build[@]}" -DZEMTRA_WERROR=ON \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" -DZEMTRA_TEST_OPTIMIZE=-Og
cmake --build "$build" -j"$(nproc)"
echo "test: plain build done ($((SECONDS - started)) s so far)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300
stage "plain suite"
[ "$quick" = 1 ] && exit 0

wait "$asan_configured" || { cat "$configure_log" >&2; exit 1; }
wait "$tsan_configured" || { echo "test: configuring build-tsan failed" >&2; exit 1; }
# The sanitizer options are in force for the builds too: test discovery runs the programs.
. scripts/sanitizers/env.sh
cmake --build "$asan" -j"$(nproc)"
echo "test: AddressSanitizer build done ($((SECONDS - started)) s so far)"
# Matching fontconfig's suppressed leaks (scripts/sanitizers/lsan.supp) made every process that
# reads a font start llvm-symbolizer, about 0.14 s each, a minute of this stage. The suite runs
# unsymbolised; a test that fails runs again with symbols, so its report reads as usual.
if ! ASAN_OPTIONS=$ASAN_OPTIONS:symbolize=0 \
  ctest --test-dir "$asan" --output-on-failure -j"$(nproc)" --timeout 600 -LE fuzz; then
  echo "test: the failed tests again, their reports with symbols" >&2
  ctest --test-dir "$asan" --output-on-failure --timeout 600 --rerun-failed || true
  exit 1
fi
stage "AddressSanitizer and UndefinedBehaviorSanitizer suite"
ctest --test-dir "$asan" --output-on-failure -j"$(nproc)" \
  --timeout $((${ZEMTRA_FUZZ_SECONDS:-10} + 300)) -L fuzz
stage "short fuzz runs"

./scripts/tsan.sh
stage "ThreadSanitizer tests"

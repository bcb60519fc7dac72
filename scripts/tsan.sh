#!/usr/bin/env bash
# The tests that run threads (CTest label "threads", tests/CMakeLists.txt) under ThreadSanitizer
# (build-tsan/): the font library job's workers, the command line's interrupted library builds
# and killed saves, and the desktop program's workers and Output View loader. Each test runs
# under CTest with a time limit. The last stage of scripts/test.sh; run it alone after
# changing threads. scripts/tsan.sh --build-only builds and stops; --configure-only configures
# and stops.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZEMTRA_TSAN_BUILD_DIR:-build-tsan}
. scripts/sanitizers/env.sh
. scripts/build_options.sh
export QT_QPA_PLATFORM=offscreen
CC=clang CXX=clang++ cmake -S . -B "$build" "${sanitizer_build[@]}" -DZEMTRA_SANITIZE=thread \
  >/dev/null
[ "${1:-}" = --configure-only ] && exit 0
# Only the programs that hold threaded tests (and the ones they run), each compiled from just
# the files that define those tests (tests/CMakeLists.txt).
targets=(zemtra-cli zemtra_base_tests zemtra_output_tests zemtra_jobs_tests zemtra_cli_tests)
grep -qs '^ZEMTRA_GUI:BOOL=ON' "$build/CMakeCache.txt" && targets+=(zemtra zemtra_gui_tests)
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
[ "${1:-}" = --build-only ] && exit 0
ctest --test-dir "$build" -L threads --output-on-failure -j"$(nproc)" \
  --timeout "${ZEMTRA_TSAN_TIMEOUT:-300}"
echo "tsan: no ThreadSanitizer report"

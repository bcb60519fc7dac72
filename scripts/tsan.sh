#!/usr/bin/env bash
# The tests that run threads, under ThreadSanitizer (build-tsan/): the font library job's
# workers (tests/output), the command line's interrupted library build and killed saves
# (tests/cli), and the desktop program's workers, Output View loader and hostile-input runs
# (tests/gui). The last stage of scripts/test.sh; run it alone after changing threads.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZEMTRA_TSAN_BUILD_DIR:-build-tsan}
. scripts/sanitizers/env.sh
export QT_QPA_PLATFORM=offscreen
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG" \
  -DZEMTRA_SANITIZE=thread -DZEMTRA_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target zemtra-cli zemtra_output_tests zemtra_cli_tests \
  zemtra_gui_tests
"$build/tests/zemtra_output_tests"
"$build/tests/zemtra_cli_tests" --gtest_filter='CliLibrary.*:CliSaveKill.*'
if [ -x "$build/tests/zemtra_gui_tests" ]; then
  "$build/tests/zemtra_gui_tests" --gtest_filter='Workers.*:OutputView.*:MainWindow.*:HostileGui.*'
fi
echo "tsan: no ThreadSanitizer report"

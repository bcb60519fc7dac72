#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs each in turn for SECONDS seconds:
#   scripts/fuzz.sh SECONDS [TARGET...]     e.g. scripts/fuzz.sh 60, scripts/fuzz.sh 600 picture
#   scripts/fuzz.sh --seeds                 rewrites fuzz/corpus/ with Zemtra's own writers
#   scripts/fuzz.sh --test TARGET           one run of ZEMTRA_FUZZ_SECONDS (10) in the build as
#                                           it is: the fuzz tests CTest runs (tests/CMakeLists.txt)
# The seed corpus in fuzz/corpus/ stays as it is; what a run learns goes to the build folder
# (build-fuzz/corpus/). A crash, leak, sanitizer report or hang stops the script with the input
# in build-fuzz/findings/TARGET/: keep it in fuzz/regressions/TARGET/ once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZEMTRA_FUZZ_BUILD_DIR:-build-fuzz}

if [ $# -lt 1 ]; then
  echo "usage: scripts/fuzz.sh SECONDS [TARGET...] | --seeds | --test TARGET" >&2
  exit 2
fi
build_first=1
if [ "$1" = "--test" ] && [ $# -eq 2 ]; then
  build_first=0
  set -- "${ZEMTRA_FUZZ_SECONDS:-10}" "$2"
fi

# A build folder already set up for fuzzing (scripts/test.sh's build-asan/, which has the tests
# and the GUI too) is only brought up to date; any other is configured for the fuzzers alone.
if [ $build_first = 1 ] && ! grep -qs '^ZEMTRA_FUZZ:BOOL=ON' "$build/CMakeCache.txt"; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZEMTRA_FUZZ=ON -DZEMTRA_TEST=OFF -DZEMTRA_BENCH=OFF -DZEMTRA_GUI=OFF >/dev/null
fi
if [ $build_first = 1 ] && ! cmake --build "$build" -j"$(nproc)" >"$build/build.log" 2>&1; then
  tail -30 "$build/build.log" >&2
  exit 1
fi

. scripts/sanitizers/env.sh
export QT_QPA_PLATFORM=offscreen

if [ "$1" = "--seeds" ]; then
  rm -rf fuzz/corpus
  "$build/fuzz/zemtra_fuzz_seeds" fuzz/corpus
  echo "fuzz: seeds written to fuzz/corpus ($(du -sh fuzz/corpus | cut -f1))"
  exit 0
fi

# The targets are those fuzz/CMakeLists.txt lists, as the build made them.
all_targets=()
for exe in "$build"/fuzz/zemtra_fuzz_*; do
  name=${exe##*/zemtra_fuzz_}
  [ "$name" = seeds ] || all_targets+=("$name")
done

seconds=$1
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")

failed=0
passed=0
for t in "${targets[@]}"; do
  exe="$build/fuzz/zemtra_fuzz_$t"
  [ -x "$exe" ] || { echo "fuzz: no target $t (one of: ${all_targets[*]})" >&2; exit 2; }
  work="$build/corpus/$t"
  findings="$build/findings/$t"
  mkdir -p "$work" "$findings"
  dict=()
  [ -f "fuzz/dict/$t.dict" ] && dict=(-dict="fuzz/dict/$t.dict")
  log="$build/fuzz-$t.log"
  # One fuzzer at a time (the machine is shared); -timeout makes any input slower than 20 s a
  # finding, -rss_limit_mb bounds memory below the decoder's own caps plus ASan's overhead.
  set +e
  "$exe" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 -max_len=16384 \
    -print_final_stats=1 -artifact_prefix="$findings/" "${dict[@]}" \
    "$work" "fuzz/corpus/$t" >"$log" 2>&1
  rc=$?
  set -e
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  took=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  if [ $rc -ne 0 ]; then
    echo "fuzz: $t FAILED (exit $rc); input and log in $findings and $log" >&2
    grep -E "ERROR|SUMMARY|invariant|Test unit written" "$log" | head -20 >&2 || true
    failed=1
  else
    echo "fuzz: $t ${execs:-0} executions in ${seconds} s (${took:-0}/s), corpus $(ls "$work" | wc -l) inputs"
    passed=$((passed + 1))
  fi
done
echo "fuzz: $passed passed, $((${#targets[@]} - passed)) failed"
exit $failed

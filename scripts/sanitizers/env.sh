# Sourced by scripts/test.sh and scripts/fuzz.sh: every sanitizer report ends the program with a
# stack trace and a failing status, so no report can pass for an expected exit code; leaks of
# libraries outside Zemtra are suppressed by lsan.supp, ThreadSanitizer's by tsan.supp.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1:check_initialization_order=1
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
export TSAN_OPTIONS="halt_on_error=1:abort_on_error=1:second_deadlock_stack=1:suppressions=$here/tsan.supp"
unset here

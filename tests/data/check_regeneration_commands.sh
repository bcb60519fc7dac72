#!/usr/bin/env bash
# Every regeneration command in tests/data/*/README.md must run the tests it names: a filter
# that matches no test would "regenerate" nothing and pass. Usage: SCRIPT BUILD_DIR
set -euo pipefail
build=$1
cd "$(dirname "$0")"
failed=0
checked=0
for readme in */README.md; do
  # ZEMTRA_UPDATE_GOLDEN=1 build/tests/PROGRAM --gtest_filter=FILTER (the filter maybe quoted)
  while read -r program filter; do
    checked=$((checked + 1))
    filter=${filter//\'/}
    if [ ! -x "$build/tests/$program" ]; then
      echo "$readme: no test program $program" >&2
      failed=1
      continue
    fi
    count=$(QT_QPA_PLATFORM=offscreen "$build/tests/$program" --gtest_list_tests \
      "--gtest_filter=$filter" | grep -c '^  ' || true)
    if [ "$count" -eq 0 ]; then
      echo "$readme: $program --gtest_filter=$filter runs no test" >&2
      failed=1
    else
      echo "$readme: $program --gtest_filter=$filter runs $count test(s)"
    fi
  done < <(grep -o 'ZEMTRA_UPDATE_GOLDEN=1 build/tests/[a-z_]* --gtest_filter=[^` ]*' "$readme" |
           sed 's#.*build/tests/\([a-z_]*\) --gtest_filter=\(.*\)#\1 \2#')
done
[ "$checked" -gt 0 ] || { echo "no regeneration command found" >&2; exit 1; }
exit $failed

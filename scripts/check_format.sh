#!/usr/bin/env bash
# Fails when a tracked C++ file differs from the repository's .clang-format; run by
# scripts/test.sh before anything builds. `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h')
if ! echo "$files" | xargs clang-format --dry-run --Werror; then
  echo "check_format: the files above drift from .clang-format (clang-format -i FILE)" >&2
  exit 1
fi
echo "check_format: $(echo "$files" | wc -l) files match .clang-format"

#!/usr/bin/env bash
# Builds Zemtra and starts it. Until the desktop program is built, this runs zemtra-cli on a
# small sample job and prints its C source.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build=${ZEMTRA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
if [ -x "$build/zemtra" ]; then
  exec "$build/zemtra" "$@"
fi
exec "$build/zemtra-cli" c-source --text "Zemtra" --matrix 16x16 --face "Liberation Sans" "$@"

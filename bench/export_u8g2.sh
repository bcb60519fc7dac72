#!/usr/bin/env bash
# u8g2 fonts against bdfconv, u8g2's own converter, on Zemtra's BDF of the same glyphs:
#  1. the size of each font (the array's length) for ASCII, Latin-1 and GB2312 level 1 at
#     16 x 16, and the CJK block U+4E00..U+9FFF in WenQuanYi Zen Hei at 16 x 16;
#  2. the time of the CJK block as a u8g2 font, whole process, against `zemtra-cli export
#     --format bdf` followed by bdfconv on that BDF; the glyph counts of both.
#
#   bench/export_u8g2.sh BDFCONV [ZEMTRA_CLI]
#
# BDFCONV is bdfconv built from u8g2's tools/font/bdfconv (make there), outside the tree.
set -euo pipefail
cd "$(dirname "$0")/.."
bdfconv=$(realpath "${1:?give the bdfconv program}")
cli=${2:-build/zemtra-cli}
[ -x "$cli" ] || { echo "no zemtra-cli at $cli; build first" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

size() { sed -n 's/.*\[\([0-9]*\)\] U8G2_FONT_SECTION.*/\1/p' "$1"; }
seconds() { date +%s.%N; }

compare() {
  local label=$1 map=$2
  shift 2
  "$cli" export --format bdf --matrix 16x16 "$@" -o "$out/f.bdf" >/dev/null
  (cd "$out" && "$bdfconv" -f 1 -b 0 -m "$map" -n f -o bdfconv.c f.bdf >/dev/null 2>&1)
  "$cli" export --format u8g2 --matrix 16x16 "$@" --name f -o "$out/zemtra.c" >/dev/null
  local ours theirs
  ours=$(size "$out/zemtra.c")
  theirs=$(size "$out/bdfconv.c")
  awk -v l="$label" -v o="$ours" -v t="$theirs" \
    'BEGIN { printf "%-40s zemtra %8d bytes, bdfconv %8d bytes (%+.2f %%)\n", l, o, t, (o - t) * 100 / t }'
}
compare "ASCII, Liberation Sans" '32-127' --face "Liberation Sans" --range U+0020-U+007E
compare "Latin-1, Liberation Sans" '32-255' --face "Liberation Sans" --range U+0020-U+007E,U+00A0-U+00FF
compare "GB2312 level 1 (B0A1..D7F9)" '32-65535' --codepage gb2312 --from B0A1 --to D7F9
compare "CJK block, WenQuanYi Zen Hei" '32-65535' --face "WenQuanYi Zen Hei" --range U+4E00-U+9FFF

# The CJK block: one process against two, each the median of RUNS (5) runs.
runs=${RUNS:-5}
median() {
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(seconds)
    "$@" >/dev/null 2>&1
    end=$(seconds)
    times+=("$(echo "$end - $start" | bc)")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v n="$runs" '{ t[NR] = $1 } END { print t[int((n + 1) / 2)] }'
}
cjk=(--matrix 16x16 --face "WenQuanYi Zen Hei" --range U+4E00-U+9FFF)
ours=$(median "$cli" export --format u8g2 "${cjk[@]}" --name f -o "$out/zemtra.c")
bdf=$(median "$cli" export --format bdf "${cjk[@]}" -o "$out/f.bdf")
conv=$(median bash -c "cd '$out' && '$bdfconv' -f 1 -b 0 -m '32-65535' -n f -o bdfconv.c f.bdf")
glyphs=$(grep -c '^STARTCHAR' "$out/f.bdf")
decoded=$(grep -c . "$out/zemtra.c")
awk -v z="$ours" -v b="$bdf" -v c="$conv" -v g="$glyphs" 'BEGIN {
  printf "CJK block as u8g2 (medians): zemtra %.3f s; zemtra bdf %.3f s + bdfconv %.3f s = %.3f s (%.1f times); %d glyphs in the BDF\n",
    z, b, c, b + c, (b + c) / z, g }'

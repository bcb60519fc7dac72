#!/usr/bin/env bash
# What kerning costs an LVGL export, and how large its tables are:
#  1. the CJK block U+4E00..U+9FFF at 16 x 16, 4 bits per dot, drawn with Liberation Sans as the
#     face (Latin kerning; the ideographs come from the linked Chinese faces), with and without
#     --no-kerning, and the same with ASCII added, whose pairs the face kerns; each the median
#     of RUNS (5) runs;
#  2. Latin-1 (U+0020..U+00FF) in Liberation Sans at a 16-dot em: the pairs written, and the
#     bytes of LVGL's two layouts for them, a list of pairs (two 8-bit glyph ids and a value
#     each) against classes (two maps of a byte per glyph and a value per class pair), worked
#     out from the pairs the tests' LVGL reader reads back.
#
#   bench/export_kerning.sh [ZEMTRA_CLI]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/zemtra-cli}
runs=${RUNS:-5}
[ -x "$cli" ] || { echo "no zemtra-cli at $cli; build first" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# median NAME COMMAND...: the median wall time of the runs.
median() {
  local name=$1
  shift
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc)")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v name="$name" -v n="$runs" \
    '{ t[NR] = $1 } END { printf "%-48s %7.3f s (median of %d)\n", name, t[int((n + 1) / 2)], n }'
}

font=(--matrix 16x16 --face "Liberation Sans" --format lvgl --bpp 4)
for range in U+4E00-U+9FFF U+0020-U+007E,U+4E00-U+9FFF; do
  median "$range kerned" "$cli" export "${font[@]}" --range "$range" -o "$out/k.c"
  median "$range --no-kerning" "$cli" export "${font[@]}" --range "$range" --no-kerning \
    -o "$out/n.c"
  echo "    $(grep -o 'pair_cnt = [0-9]*\|left_class_cnt = [0-9]*' "$out/k.c" | tr '\n' ' ')"
done

# Latin-1 at a 16-dot em, read back by the tests' LVGL reader.
"$cli" export --format lvgl --face "Liberation Sans" --matrix 20x20 --font-size 0x-16 \
  --range U+0020-U+00FF --name latin1 -o "$out/latin1.c"
cc -std=c99 -O1 -DFONT=latin1 -Itests/support/font_readers "$out/latin1.c" \
  tests/support/font_readers/lvgl_reader.c -o "$out/reader"
"$out/reader" > "$out/read.txt"
glyphs=$(grep -c '^U+' "$out/read.txt")
grep '^kern ' "$out/read.txt" | awk -v glyphs="$glyphs" '
  { pairs++; row[$2] = row[$2] " " $3 "=" $4; column[$3] = column[$3] " " $2 "=" $4 }
  END {
    for (l in row) if (!(row[l] in rows)) { rows[row[l]] = 1; left++ }
    for (r in column) if (!(column[r] in columns)) { columns[column[r]] = 1; right++ }
    printf "Latin-1, Liberation Sans, 16-dot em: %d glyphs, %d kerning pairs\n", glyphs, pairs
    printf "    pairs:   %d bytes (%d x 3)\n", pairs * 3, pairs
    printf "    classes: %d bytes (%d left x %d right classes, two maps of %d)\n",
      2 * (glyphs + 1) + left * right, left, right, glyphs + 1
  }'
echo "    written as: $(grep -o '\.kern_classes = [01]' "$out/latin1.c")"

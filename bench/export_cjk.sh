#!/usr/bin/env bash
# The export benchmark: the CJK block U+4E00..U+9FFF at 16 x 16 as an LVGL font of 4 bits per
# dot, the whole process timed with its peak memory (/usr/bin/time -v), beside the one-bit .dzk
# library of the same codes and the same block through lv_font_conv 1.5.3 on the same font
# file, range and bits per dot. A second, smaller
# range shows how memory follows the range's size.
#
#   bench/export_cjk.sh [ZEMTRA_CLI] [LV_FONT_CONV]
#
# ZEMTRA_CLI defaults to build/zemtra-cli. LV_FONT_CONV is the lv_font_conv program, e.g. after
# "npm install --prefix /tmp/lvconv lv_font_conv@1.5.3": /tmp/lvconv/node_modules/.bin/lv_font_conv
# (install it outside the tree); without it only zemtra-cli runs. The font is Debian's
# fonts-droid-fallback (lv_font_conv reads no .ttc collections): apt-get install fonts-droid-fallback.
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/zemtra-cli}
lvconv=${2:-}
font=${ZEMTRA_BENCH_FONT:-/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf}
[ -x "$cli" ] || { echo "no zemtra-cli at $cli; build first" >&2; exit 1; }
[ -f "$font" ] || { echo "no $font: apt-get install fonts-droid-fallback" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (apt-get install time)" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# run NAME COMMAND...: one line of wall time, CPU time and peak resident memory.
run() {
  local name=$1
  shift
  /usr/bin/time -v "$@" >"$out/stdout" 2>"$out/time" || { cat "$out/time" >&2; exit 1; }
  awk -v name="$name" -F': ' '
    /Elapsed \(wall clock\)/ { n = split($2, t, ":"); wall = (n == 3 ? t[1] * 3600 + t[2] * 60 + t[3] : t[1] * 60 + t[2]) }
    /User time/ { user = $2 } /System time/ { sys = $2 }
    /Maximum resident set size/ { rss = $2 / 1024 }
    END { printf "%-44s %9.2f s wall %9.2f s cpu %8.1f MB peak RSS\n", name, wall, user + sys, rss }' "$out/time"
}

for range in 4E00-9FFF 4E00-5FFF; do
  run "zemtra-cli  U+$range (lvgl, 4 bits)" "$cli" export --format lvgl --bpp 4 \
    --range "U+${range%-*}-U+${range#*-}" --matrix 16x16 --font-file "$font" -o "$out/zemtra.c"
  echo "    $(grep -c '^    {.bitmap_index' "$out/zemtra.c") glyph descriptors, $(stat -c %s "$out/zemtra.c") bytes"
  # The one-bit library of the same codes and face: the export should take at most 1.3 times
  # as long.
  run "zemtra-cli  U+$range (.dzk library, 1 bit)" "$cli" library --codepage unicode \
    --from "${range%-*}" --to "${range#*-}" --matrix 16x16 --font-file "$font" -o "$out/zemtra.dzk"
done
if [ -n "$lvconv" ]; then
  for range in 4E00-9FFF 4E00-5FFF; do
    run "lv_font_conv U+$range (lvgl, 4 bits)" "$lvconv" --font "$font" -r "0x${range%-*}-0x${range#*-}" \
      --size 16 --bpp 4 --no-compress --format lvgl -o "$out/lvconv.c"
    echo "    $(grep -c '^    {.bitmap_index' "$out/lvconv.c") glyph descriptors, $(stat -c %s "$out/lvconv.c") bytes"
  done
fi

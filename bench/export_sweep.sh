#!/usr/bin/env bash
# Every export format at every depth over every character of the installed test faces, meant
# for a sanitizer build of zemtra-cli (outside the test command: it takes a while):
#
#   bench/export_sweep.sh build-asan/zemtra-cli [MATRIX ...]
#
# Each face exports the characters fontconfig says it has (up to U+FFFF, what exports hold),
# as LVGL at 1, 2, 4 and 8 bits, BDF, and Adafruit GFX for its part up to U+00FF, at each
# matrix (16x16 and 12x24 unless given). Any failing export or sanitizer report stops the
# sweep; at the end it prints how many glyphs were exported.
set -euo pipefail
cli=$(realpath "${1:?usage: $0 ZEMTRA_CLI [MATRIX ...]}")
shift
matrices=("$@")
[ ${#matrices[@]} -gt 0 ] || matrices=(16x16 12x24)
faces=("Liberation Sans" "Liberation Mono" "Liberation Serif" "DejaVu Sans" "DejaVu Serif"
  "DejaVu Sans Mono" "Unifont" "Unifont Upper" "Unifont CSUR" "WenQuanYi Zen Hei"
  "WenQuanYi Bitmap Song" "AR PL UMing CN" "FontAwesome")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZEMTRA_HOME=$work/home
total=0

# fontconfig's charset ("20-7e a0-17f ...") as --range text, cut at U+FFFF.
ranges_of() {
  local item first last out=""
  for item in $(fc-list --format '%{charset}\n' "$1" | head -n 1); do
    first=$((16#${item%-*}))
    last=$((16#${item#*-}))
    [ "$first" -le 65535 ] || continue
    [ "$last" -le 65535 ] || last=65535
    out+=$(printf '%sU+%04X-U+%04X' "${out:+,}" "$first" "$last")
  done
  echo "$out"
}

# A run whose exit or stderr shows a fault stops the sweep with what it said.
run() {
  if ! "$cli" "$@" 2>"$work/err" || grep -q "Sanitizer\|runtime error" "$work/err"; then
    echo "sweep: zemtra-cli $*" >&2
    cat "$work/err" >&2
    exit 1
  fi
}

glyphs_in() { # the export's own count: BDF's CHARS, or the C file's descriptors
  case $1 in
    *.bdf) sed -n 's/^CHARS //p' "$1" ;;
    *) grep -c '^    {.bitmap_index' "$1" || true ;;
  esac
}

for face in "${faces[@]}"; do
  ranges=$(ranges_of "$face")
  if [ -z "$ranges" ]; then
    echo "sweep: $face is not installed" >&2
    exit 1
  fi
  for matrix in "${matrices[@]}"; do
    for bpp in 1 2 4 8; do
      out=$work/sweep_${bpp}.c
      run export --format lvgl --bpp "$bpp" --face "$face" --matrix "$matrix" \
        --range "$ranges" -o "$out"
      n=$(($(glyphs_in "$out") - 1)) # less the descriptor of "no glyph"
      total=$((total + n))
      echo "$face $matrix lvgl $bpp bits: $n glyphs"
    done
    run export --format bdf --face "$face" --matrix "$matrix" --range "$ranges" \
      -o "$work/sweep.bdf"
    n=$(glyphs_in "$work/sweep.bdf")
    total=$((total + n))
    echo "$face $matrix bdf: $n glyphs"
    if "$cli" export --format adafruit-gfx --face "$face" --matrix "$matrix" \
      --range U+0020-U+00FF -o "$work/sweep.h" 2>"$work/gfx.err"; then
      echo "$face $matrix adafruit-gfx: done"
    elif grep -q "Sanitizer\|runtime error" "$work/gfx.err" ||
      ! grep -q "Adafruit GFX" "$work/gfx.err"; then
      cat "$work/gfx.err" >&2 # a refusal of GFX's byte-sized fields is fine; nothing else is
      exit 1
    fi
  done
done
echo "sweep: $total glyphs exported without a fault"

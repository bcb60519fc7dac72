#!/usr/bin/env bash
# Checks the exported fonts with the display libraries' own code, outside the test suite:
#
#   bench/check_consumers.sh LVGL_DIR U8G2_DIR ADAFRUIT_GFX_DIR [ZEMTRA_CLI]
#
# It fetches nothing. Clone the three libraries outside the tree first, e.g.
#   git clone --depth 1 --branch v9.5.0 https://github.com/lvgl/lvgl /tmp/lvgl9   (9.4 and 9.5)
#   git clone --depth 1 https://github.com/olikraus/u8g2 /tmp/u8g2
#   git clone --depth 1 https://github.com/adafruit/Adafruit-GFX-Library /tmp/Adafruit-GFX-Library
# ZEMTRA_CLI defaults to build/zemtra-cli. Fonts: Debian's fonts-dejavu-core and
# fonts-droid-fallback (CHECK_CONSUMERS_CJK_FONT names another Chinese font file).
#
# LVGL: each export is compiled with LVGL's font headers and linked with LVGL's own
# src/font/lv_font.c and lv_font_fmt_txt.c (and lv_utils_bsearch from src/misc/lv_utils.c);
# the rest of LVGL (memory, draw buffers, logging, configuration) is replaced by the few
# definitions below, so the library needs no display or build of its own. A program walks
# U+0001..U+FFFF through lv_font_get_glyph_dsc and lv_font_get_glyph_bitmap and prints each
# glyph's box, advance and levels, then for every pair of its glyphs how much the second one
# changes the first one's advance (lv_font_get_glyph_dsc(font, dsc, a, b): the kerning, in the
# whole dots LVGL rounds to); that must equal the tests' reader
# (tests/support/font_readers/lvgl_reader.c) and, at one bit per dot, every glyph placed on
# its line must equal `zemtra-cli show`. Each export is made as LVGL's binary font too
# (lvgl-bin), loaded by LVGL's own lv_binfont_create (9.4 and 9.5; its file access over
# stdio): the same walk must print the same font.
# u8g2: bdfconv is built from the clone and must convert an exported BDF (Latin and GB2312)
# into a u8g2 font array, which u8g2's own code (csrc/ and its memory bitmap device) draws;
# Zemtra's own u8g2 export of the same glyphs is drawn the same way, and both sizes reported;
# glyph by glyph at the baseline; each must equal `zemtra-cli show`. Give "-" for LVGL_DIR or
# U8G2_DIR to leave that library out.
# Adafruit GFX: the header is compiled as C++ against the library's gfxfont.h with a stand-in
# PROGMEM and pgm_read_*; the glyphs, read as drawChar reads them, must equal the tests'
# reader and show.
set -euo pipefail
export LC_ALL=C.UTF-8
[ $# -ge 3 ] || { sed -n '2,25p' "$0" >&2; exit 2; }
lvgl=$1 # "-" leaves LVGL out
[ "$lvgl" = - ] || lvgl=$(realpath "$lvgl")
u8g2=$2 # "-" leaves u8g2 out
[ "$u8g2" = - ] || u8g2=$(realpath "$u8g2")
gfx=$(realpath "$3")
cd "$(dirname "$0")/.."
root=$PWD
cli=$(realpath "${4:-build/zemtra-cli}")
latin=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
cjk=${CHECK_CONSUMERS_CJK_FONT:-/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf}
[ -x "$cli" ] || { echo "no zemtra-cli at $cli; build first" >&2; exit 1; }
[ -f "$latin" ] || { echo "no $latin: apt-get install fonts-dejavu-core" >&2; exit 1; }
[ -f "$cjk" ] || { echo "no $cjk: apt-get install fonts-droid-fallback" >&2; exit 1; }
[ "$lvgl" = - ] || [ -f "$lvgl/src/font/lv_font.c" ] || { echo "no LVGL 9 at $lvgl" >&2; exit 1; }
[ -f "$gfx/gfxfont.h" ] || { echo "no gfxfont.h in $gfx" >&2; exit 1; }
[ "$u8g2" = - ] || [ -f "$u8g2/tools/font/bdfconv/Makefile" ] || { echo "no tools/font/bdfconv in $u8g2" >&2; exit 1; }
work=$(mktemp -d)
# CHECK_CONSUMERS_KEEP=1 keeps the exports and the programs' output for a look.
if [ -n "${CHECK_CONSUMERS_KEEP:-}" ]; then
  echo "files in $work"
else
  trap 'rm -rf "$work"' EXIT
fi
readers=$root/tests/support/font_readers
failures=0
fail() {
  echo "DIFFERENT: $*"
  failures=$((failures + 1))
}

# show_all W H CHARS_FILE SETTINGS...: `zemtra-cli show` for each code point listed in
# CHARS_FILE (U+XXXX lines), in the same form as the placed glyphs.
show_all() {
  local w=$1 h=$2 list=$3
  shift 3
  while read -r code; do
    echo "$code"
    "$cli" show --char "$(printf "\\U${code#U+}")" --matrix "${w}x$h" "$@"
  done <"$list"
}

if [ "$lvgl" = - ]; then
  echo "LVGL: left out"
else
# ---------------------------------------------------------------------------------------------
# LVGL: LVGL's font files in a tree of their own, beside stand-ins for what they include.
lv=$work/lv
mkdir -p "$lv/src/font" "$lv/src/misc" "$lv/src/draw" "$lv/src/stdlib" "$lv/src/core" \
  "$lv/src/osal"
cp "$lvgl/src/font/lv_font.h" "$lvgl/src/font/lv_font.c" "$lv/src/font/"
# 9.2 and later keep the font structure in a private header.
[ ! -f "$lvgl/src/font/lv_font_private.h" ] || cp "$lvgl/src/font/lv_font_private.h" "$lv/src/font/"
if [ -f "$lvgl/src/font/fmt_txt/lv_font_fmt_txt.c" ]; then
  fmt=src/font/fmt_txt # 9.4 and later
else
  fmt=src/font # 9.0 .. 9.3
fi
mkdir -p "$lv/$fmt"
cp "$lvgl/$fmt"/lv_font_fmt_txt*.[ch] "$lv/$fmt/"
lvgl_version=$(sed -n 's/^#define LVGL_VERSION_\(MAJOR\|MINOR\|PATCH\) *\([0-9]*\).*/\2/p' \
  "$lvgl/lv_version.h" 2>/dev/null | paste -sd. || true)
lvgl_version=${lvgl_version:-9}
# lv_utils_bsearch alone: the rest of lv_utils.c needs the file system and the image cache.
awk '/^(const )?void \* *lv_utils_bsearch\(/ { on = 1 } on { print } on && /^}/ { exit }' \
  "$lvgl/src/misc/lv_utils.c" >"$lv/bsearch.inc"
grep -q lv_utils_bsearch "$lv/bsearch.inc" || { echo "no lv_utils_bsearch in lv_utils.c" >&2; exit 1; }

cat >"$lv/lvgl.h" <<'EOF'
#include "src/font/lv_font.h"
#if __has_include("src/font/fmt_txt/lv_font_fmt_txt.h")
#include "src/font/fmt_txt/lv_font_fmt_txt.h"
#else
#include "src/font/lv_font_fmt_txt.h"
#endif
EOF
cat >"$lv/src/lv_conf_internal.h" <<'EOF'
#pragma once
#define LVGL_VERSION_MAJOR 9
#ifndef LV_FONT_FMT_TXT_LARGE
#define LV_FONT_FMT_TXT_LARGE 0
#endif
#define LV_USE_FONT_COMPRESSED 1
#define LV_USE_FONT_PLACEHOLDER 0
#define LV_FONT_DEFAULT NULL
#define LV_ATTRIBUTE_EXTERN_DATA
#define LV_ATTRIBUTE_LARGE_CONST
#define LV_USE_FS_MEMFS 0
EOF
cat >"$lv/src/misc/lv_types.h" <<'EOF'
#pragma once
#include <inttypes.h>
#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>
typedef struct _lv_font_t lv_font_t;
typedef struct _lv_font_class_t lv_font_class_t;
typedef struct _lv_font_info_t lv_font_info_t;
typedef struct _lv_draw_buf_t lv_draw_buf_t;
typedef struct _lv_cache_entry_t lv_cache_entry_t;
typedef uintptr_t lv_uintptr_t;
typedef uint8_t lv_opa_t;
typedef int32_t lv_coord_t;
#define LV_UNUSED(x) ((void)(x))
#define LV_PRIu32 PRIu32
#define LV_ROUND_UP(x, r) ((((x) + (r) - 1) / (r)) * (r))
EOF
cat >"$lv/src/draw/lv_draw_buf.h" <<'EOF'
#pragma once
#include "../misc/lv_types.h"
#define LV_COLOR_FORMAT_A8 0x0E
struct _lv_draw_buf_t {
    uint32_t stride;
    uint32_t data_size;
    uint8_t * data;
};
/* LV_DRAW_BUF_STRIDE_ALIGN 1: an A8 row is its width. */
static inline uint32_t lv_draw_buf_width_to_stride(uint32_t w, int cf) { (void)cf; return w; }
static inline void lv_draw_buf_flush_cache(const lv_draw_buf_t * b, const void * a) { (void)b; (void)a; }
EOF
cat >"$lv/src/misc/lv_utils.h" <<'EOF'
#pragma once
#include "lv_types.h"
void * lv_utils_bsearch(const void * key, const void * base, size_t n, size_t size,
                        int (*cmp)(const void * pRef, const void * pElement));
EOF
cat >"$lv/src/misc/lv_log.h" <<'EOF'
#pragma once
#include <stdio.h>
#define LV_LOG_WARN(...) (fprintf(stderr, "lvgl warning: " __VA_ARGS__), fputc('\n', stderr))
#define LV_LOG_ERROR LV_LOG_WARN
EOF
cat >"$lv/src/misc/lv_assert.h" <<'EOF'
#pragma once
#include <assert.h>
#define LV_ASSERT_NULL(p) assert((p) != NULL)
#define LV_ASSERT_MALLOC(p) assert((p) != NULL)
EOF
cat >"$lv/src/misc/lv_text_private.h" <<'EOF'
#pragma once
static inline bool lv_text_is_marker(uint32_t letter) { (void)letter; return false; }
EOF
cat >"$lv/src/stdlib/lv_mem.h" <<'EOF'
#pragma once
#include <stdlib.h>
#include <string.h>
#define lv_malloc malloc
#define lv_free free
#define lv_malloc_zeroed(n) calloc(1, (n))
#define lv_memcpy memcpy
EOF
cat >"$lv/src/stdlib/lv_string.h" <<'EOF'
#pragma once
#include <string.h>
#define lv_memzero(p, n) memset((p), 0, (n))
#define lv_memset memset
#define lv_memcmp memcmp
#define lv_strcmp strcmp
#define lv_strdup strdup
EOF
# The binary font loader's file access, over stdio; a short read is an error.
cat >"$lv/src/misc/lv_fs_private.h" <<'EOF'
#pragma once
#include <stdio.h>
#include "lv_types.h"
typedef enum { LV_FS_RES_OK = 0, LV_FS_RES_UNKNOWN } lv_fs_res_t;
typedef enum { LV_FS_MODE_RD = 2 } lv_fs_mode_t;
typedef enum { LV_FS_SEEK_SET = 0 } lv_fs_whence_t;
typedef struct { FILE * f; } lv_fs_file_t;
static inline lv_fs_res_t lv_fs_open(lv_fs_file_t * fp, const char * path, lv_fs_mode_t mode) {
    (void)mode; fp->f = fopen(path, "rb"); return fp->f ? LV_FS_RES_OK : LV_FS_RES_UNKNOWN;
}
static inline lv_fs_res_t lv_fs_read(lv_fs_file_t * fp, void * buf, uint32_t n, uint32_t * br) {
    const size_t got = fread(buf, 1, n, fp->f);
    if (br) *br = (uint32_t)got;
    return got == n ? LV_FS_RES_OK : LV_FS_RES_UNKNOWN;
}
static inline lv_fs_res_t lv_fs_seek(lv_fs_file_t * fp, uint32_t pos, lv_fs_whence_t whence) {
    (void)whence; return fseek(fp->f, (long)pos, SEEK_SET) == 0 ? LV_FS_RES_OK : LV_FS_RES_UNKNOWN;
}
static inline lv_fs_res_t lv_fs_close(lv_fs_file_t * fp) { fclose(fp->f); return LV_FS_RES_OK; }
EOF
cat >"$lv/src/core/lv_global.h" <<'EOF'
#pragma once
#if __has_include("../font/fmt_txt/lv_font_fmt_txt_private.h")
#include "../font/fmt_txt/lv_font_fmt_txt_private.h"
#else
#include "../font/lv_font_fmt_txt_private.h"
#endif
typedef struct { lv_font_fmt_rle_t font_fmt_rle; } lv_global_t;
extern lv_global_t lv_global;
#define LV_GLOBAL_DEFAULT() (&lv_global)
EOF
: >"$lv/src/font/lv_symbol_def.h"
: >"$lv/src/misc/lv_area.h"
: >"$lv/src/misc/lv_fs.h"
: >"$lv/src/osal/lv_os_private.h"
cat >"$lv/glue.c" <<'EOF'
#include "src/misc/lv_utils.h"
#include "src/core/lv_global.h"
lv_global_t lv_global;
#include "bsearch.inc"
EOF

# Prints the font as LVGL hands it to a renderer, in the tests' reader's form: the advance in
# whole dots (LVGL rounds the 1/16 dots), the levels back from LVGL's 8-bit opacities, which
# must be exact multiples. With PLACE, each glyph is also drawn on its line (W dots wide) as
# LVGL draws a letter: top = line_height - base_line - box_h - ofs_y, left = ofs_x.
cat >"$lv/check.c" <<'EOF'
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "lvgl.h"
#ifdef BINFONT
#include "src/font/binfont_loader/lv_binfont_loader.h"
#else
LV_FONT_DECLARE(FONT)
#endif
int main(int argc, char ** argv) {
#ifdef BINFONT
    const lv_font_t * f = argc > 3 ? lv_binfont_create(argv[3]) : NULL;
    if (f == NULL) { printf("lv_binfont_create failed\n"); return 1; }
#else
    const lv_font_t * f = &FONT;
#endif
    const int place = argc > 1 ? atoi(argv[1]) : 0;
    FILE * placed = argc > 2 ? fopen(argv[2], "w") : NULL;
    printf("font %d %d\n", (int)f->line_height, (int)f->base_line);
    static uint32_t codes[0x10000];
    size_t count = 0;
    for (uint32_t code = 1; code <= 0xFFFF; ++code) {
        if (code == '\t') continue; /* LVGL draws a tab as a double space */
        lv_font_glyph_dsc_t g;
        if (!lv_font_get_glyph_dsc(f, &g, code, 0)) continue;
        if (g.resolved_font != f) { printf("U+%04X resolved elsewhere\n", (unsigned)code); continue; }
        codes[count++] = code;
        const unsigned bpp = g.format, top = (1u << bpp) - 1;
        printf("U+%04X %u %u %u %d %d\n", (unsigned)code, (unsigned)g.adv_w, (unsigned)g.box_w,
               (unsigned)g.box_h, (int)g.ofs_x, (int)g.ofs_y);
        const size_t n = (size_t)g.box_w * g.box_h;
        lv_draw_buf_t buf = {g.box_w, (uint32_t)n, calloc(n + 1, 1)};
        const void * got = n ? lv_font_get_glyph_bitmap(&g, &buf) : &buf;
        if (got != &buf) { printf("no bitmap\n"); free(buf.data); continue; }
        for (unsigned y = 0; y < g.box_h; ++y) {
            for (unsigned x = 0; x < g.box_w; ++x) {
                const unsigned a8 = buf.data[y * g.box_w + x], level = a8 * top / 255;
                if (level * 255 / top != a8) printf("(opacity %u)", a8);
                printf("%02x", level);
            }
            printf("\n");
        }
        if (placed && place > 0) {
            const int h = f->line_height, row0 = h - f->base_line - g.box_h - g.ofs_y;
            fprintf(placed, "U+%04X\n", (unsigned)code);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < place; ++x) {
                    const int gy = y - row0, gx = x - g.ofs_x;
                    const int in = gy >= 0 && gy < g.box_h && gx >= 0 && gx < g.box_w;
                    fputc(in && buf.data[gy * g.box_w + gx] ? '#' : '.', placed);
                }
                fputc('\n', placed);
            }
        }
        free(buf.data);
    }
    if (placed) fclose(placed);
    /* Kerning as LVGL applies it: the advance before each other glyph against the advance
     * alone, in whole dots. */
    for (size_t a = 0; a < count; ++a) {
        lv_font_glyph_dsc_t alone;
        lv_font_get_glyph_dsc(f, &alone, codes[a], 0);
        for (size_t b = 0; b < count; ++b) {
            lv_font_glyph_dsc_t kerned;
            lv_font_get_glyph_dsc(f, &kerned, codes[a], codes[b]);
            const int delta = (int)kerned.adv_w - (int)alone.adv_w;
            if (delta != 0) printf("kern U+%04X U+%04X %d\n", (unsigned)codes[a], (unsigned)codes[b], delta);
        }
    }
    return 0;
}
EOF
cc -O1 -I"$lv" -c "$lv/src/font/lv_font.c" -o "$lv/lv_font.o"
cc -O1 -I"$lv" -c "$lv/$fmt/lv_font_fmt_txt.c" -o "$lv/fmt_small.o"
cc -O1 -I"$lv" -DLV_FONT_FMT_TXT_LARGE=1 -c "$lv/$fmt/lv_font_fmt_txt.c" -o "$lv/fmt_large.o"
cc -O1 -I"$lv" -c "$lv/glue.c" -o "$lv/glue.o"
# LVGL's binary font loader (src/font/binfont_loader/ from 9.5 on, src/font/ in 9.4), for lvgl-bin.
binfont=0
loader=$lvgl/src/font/binfont_loader
[ -f "$loader/lv_binfont_loader.c" ] || loader=$lvgl/src/font # 9.4
if [ -f "$loader/lv_binfont_loader.c" ]; then
  binfont=1
  mkdir -p "$lv/src/font/binfont_loader"
  cp "$loader/lv_binfont_loader."[ch] "$lv/src/font/binfont_loader/"
  # 9.4's file includes its neighbours from src/font/.
  sed -i "s|#include \"lv_font_fmt_txt_private.h\"|#include \"../${fmt#src/font}/lv_font_fmt_txt_private.h\"|; s|#include \"../misc/|#include \"../../misc/|; s|#include \"../stdlib/|#include \"../../stdlib/|; s|#include \"../lvgl.h\"|#include \"../../lvgl.h\"|" \
    "$lv/src/font/binfont_loader/lv_binfont_loader.c"
  printf '%s\n' '#include "stdlib/lv_mem.h"' '#include "misc/lv_log.h"' \
    '#include "misc/lv_assert.h"' '#include "../lvgl.h"' >"$lv/src/lvgl.h"
  for large in 0 1; do
    cc -O1 -I"$lv" -DLV_FONT_FMT_TXT_LARGE=$large -c \
      "$lv/src/font/binfont_loader/lv_binfont_loader.c" -o "$lv/binfont_$large.o"
    cc -O1 -I"$lv" -DBINFONT -DLV_FONT_FMT_TXT_LARGE=$large "$lv/check.c" "$lv/binfont_$large.o" \
      "$lv/lv_font.o" "$lv/$([ $large = 1 ] && echo fmt_large || echo fmt_small).o" \
      "$lv/glue.o" -o "$lv/check_bin_$large"
  done
fi
lvgl_bin_fonts=0


lvgl_glyphs=0
lvgl_exports=0
# lvgl_case LABEL WxH EXPORT-OPTIONS...
lvgl_case() {
  local label=$1 matrix=$2
  shift 2
  local d=$work/lvgl_$label w=${matrix%x*} h=${matrix#*x}
  mkdir -p "$d"
  "$cli" export --format lvgl --matrix "$matrix" --name font_under_test "$@" -o "$d/font.c" \
    >/dev/null
  local large=0
  grep -q '^#if !LV_FONT_FMT_TXT_LARGE' "$d/font.c" && large=1
  # The export itself must compile cleanly with LVGL's headers.
  cc -std=c99 -Wall -Wextra -Werror -I"$lv" -DLV_FONT_FMT_TXT_LARGE=$large -c "$d/font.c" \
    -o "$d/font.o"
  cc -I"$lv" -DFONT=font_under_test -DLV_FONT_FMT_TXT_LARGE=$large "$lv/check.c" "$d/font.o" \
    "$lv/lv_font.o" "$lv/$([ $large = 1 ] && echo fmt_large || echo fmt_small).o" "$lv/glue.o" \
    -o "$d/check"
  local place=0
  grep -q -- '--bpp 1\b' <<<"$*" && place=$w
  "$d/check" "$place" "$d/placed.txt" >"$d/lvgl.txt"
  # The tests' reader, with the advance rounded as LVGL rounds it.
  cc -I"$readers" -DFONT=font_under_test -DLV_FONT_FMT_TXT_LARGE=$large "$d/font.c" \
    "$readers/lvgl_reader.c" -o "$d/reader"
  # Its kerning in sixteenths becomes the whole dots LVGL's rounding of the sum gives.
  "$d/reader" | awk '$1 == "font" { print $1, $2, $3; next }
    /^U\+/ { adv[$1] = $2; $2 = int(($2 + 8) / 16) }
    $1 == "kern" { d = int((adv[$2] + $4 + 8) / 16) - int((adv[$2] + 8) / 16)
      if (d != 0) print $1, $2, $3, d; next }
    { print }' >"$d/reader.txt"
  local n
  n=$(grep -c '^U+' "$d/lvgl.txt" || true)
  kerned=$(grep -c '^kern' "$d/lvgl.txt" || true)
  lvgl_glyphs=$((lvgl_glyphs + n))
  lvgl_exports=$((lvgl_exports + 1))
  if ! diff -q "$d/lvgl.txt" "$d/reader.txt" >/dev/null; then
    fail "lvgl $label: LVGL and the tests' reader differ"
    diff "$d/lvgl.txt" "$d/reader.txt" | head -20
  fi
  # The same export as LVGL's binary font, loaded by LVGL's own loader: the same font.
  if [ "$binfont" = 1 ]; then
    "$cli" export --format lvgl-bin --matrix "$matrix" "$@" -o "$d/font.bin" >/dev/null
    "$lv/check_bin_$large" 0 /dev/null "$d/font.bin" >"$d/lvgl_bin.txt"
    lvgl_bin_fonts=$((lvgl_bin_fonts + 1))
    if ! diff -q "$d/lvgl.txt" "$d/lvgl_bin.txt" >/dev/null; then
      fail "lvgl-bin $label: LVGL's binary font loader gives another font than the C source"
      diff "$d/lvgl.txt" "$d/lvgl_bin.txt" | head -20
    fi
  fi
  if [ "$place" -gt 0 ]; then
    grep '^U+' "$d/lvgl.txt" | cut -d' ' -f1 >"$d/chars"
    # Only the settings options go to show.
    show_all "$w" "$h" "$d/chars" $(sed -n 's/.*\(--font-file [^ ]*\).*/\1/p' <<<"$*") \
      >"$d/show.txt"
    if ! diff -q "$d/placed.txt" "$d/show.txt" >/dev/null; then
      fail "lvgl $label: glyphs on their line differ from show"
      diff "$d/placed.txt" "$d/show.txt" | head -20
    fi
  fi
  echo "lvgl $label: $n glyphs, $kerned pairs kerned by whole dots"
}

latin_range=U+0020-U+007E,U+00A0-U+00FF
for bpp in 1 2 4 8; do
  lvgl_case "latin_${bpp}bpp" 16x16 --bpp $bpp --range $latin_range --font-file "$latin"
  lvgl_case "gb2312_${bpp}bpp" 16x16 --bpp $bpp --codepage gb2312 --from B0A1 --to B3FE \
    --font-file "$cjk"
done
for bpp in 2 4; do
  lvgl_case "latin_${bpp}bpp_compressed" 24x24 --bpp $bpp --compress --range $latin_range \
    --font-file "$latin"
  lvgl_case "gb2312_${bpp}bpp_compressed" 24x24 --bpp $bpp --compress --codepage gb2312 \
    --from B0A1 --to B3FE --font-file "$cjk"
done
# Liberation Sans kerns fewer pairs than DejaVu Sans, which the file lists pair by pair (DejaVu
# Sans's come as classes).
lvgl_case latin_kern_pairs_4bpp 20x20 --bpp 4 --range $latin_range \
  --font-file /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf --font-size 0x-16
lvgl_case latin_1bpp_monospace 12x16 --bpp 1 --monospace --range $latin_range \
  --font-file "$latin"
lvgl_case gb2312_4bpp_monospace 16x16 --bpp 4 --monospace --codepage gb2312 --from B0A1 \
  --to B3FE --font-file "$cjk"
lvgl_case cjk_sparse_1bpp 16x16 --bpp 1 --text 'Zemtra 汉字的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条只没结解问意建月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长求老头基资边流路级少图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战先回则任取据处队南给色光门即保治北造百规热领七海口东导器压志世金增争济阶油思术极交受联什认六共权收证改清己美再采转更单风切打白教速花带安场身车例真务具万每目至达走积示议声报斗完类八离华名确才科张信马节话米整空元况今集温传土许步群广石记需段研界拉林律叫且究观越织装影算低持音众书布复容儿须际商非验连断深难近矿千周委素技备半办青省列习响约支般史感劳便团往酸历市克何除消构府称太准精值号率族维划选标写存候毛亲快效斯院查江型眼王按格养易置派层片始却专状育厂京识适属圆包火住调满县局照参红细引听该铁价严' \
  --font-file "$cjk"
# The whole block at 4 bits: over 1 MB of bitmaps, so the large descriptors.
lvgl_case cjk_block_4bpp_compressed 16x16 --bpp 4 --compress --range U+4E00-U+9FA5 \
  --font-file "$cjk"
echo "LVGL $lvgl_version: $lvgl_glyphs glyphs in $lvgl_exports exports; $lvgl_bin_fonts of them also as binary fonts through LVGL's loader"
fi

# ---------------------------------------------------------------------------------------------
# Adafruit GFX: the header against the library's gfxfont.h, read as drawChar reads it.
g=$work/gfx
mkdir -p "$g"
cat >"$g/check.cpp" <<'EOF'
#include <cstdint>
#include <cstdio>
#include <cstdlib>
// What Arduino's avr/pgmspace.h gives on a desktop.
#define PROGMEM
#define pgm_read_byte(addr) (*(const unsigned char *)(addr))
#define pgm_read_word(addr) (*(const unsigned short *)(addr))
#define pgm_read_pointer(addr) ((void *)*(void * const *)(addr))
#include "gfxfont.h"
#include FONT_HEADER
// As Adafruit_GFX.cpp reads a glyph and its bits in drawChar.
inline GFXglyph * pgm_read_glyph_ptr(const GFXfont * gfxFont, uint8_t c) {
    return &(((GFXglyph *)pgm_read_pointer(&gfxFont->glyph))[c]);
}
inline uint8_t * pgm_read_bitmap_ptr(const GFXfont * gfxFont) {
    return (uint8_t *)pgm_read_pointer(&gfxFont->bitmap);
}
int main(int argc, char ** argv) {
    const GFXfont * f = &FONT;
    const int place = argc > 1 ? atoi(argv[1]) : 0, baseline = argc > 2 ? atoi(argv[2]) : 0;
    FILE * placed = argc > 3 ? fopen(argv[3], "w") : nullptr;
    const unsigned first = pgm_read_byte(&f->first), last = pgm_read_byte(&f->last);
    std::printf("font %u %u %u\n", first, last, (unsigned)pgm_read_byte(&f->yAdvance));
    for (unsigned c = first; c <= last; ++c) {
        GFXglyph * glyph = pgm_read_glyph_ptr(f, (uint8_t)(c - first));
        uint8_t * bitmap = pgm_read_bitmap_ptr(f);
        uint16_t bo = pgm_read_word(&glyph->bitmapOffset);
        uint8_t w = pgm_read_byte(&glyph->width), h = pgm_read_byte(&glyph->height);
        int8_t xo = pgm_read_byte(&glyph->xOffset), yo = pgm_read_byte(&glyph->yOffset);
        std::printf("%u %u %u %u %d %d\n", c, (unsigned)pgm_read_byte(&glyph->xAdvance), w, h, xo, yo);
        static char dots[256][256];
        uint8_t xx, yy, bits = 0, bit = 0;
        for (yy = 0; yy < h; yy++) {
            for (xx = 0; xx < w; xx++) {
                if (!(bit++ & 7)) bits = pgm_read_byte(&bitmap[bo++]);
                dots[yy][xx] = (bits & 0x80) ? 1 : 0;
                std::putchar(bits & 0x80 ? '1' : '0');
                bits <<= 1;
            }
            std::putchar('\n');
        }
        if (placed && w > 0) {  // drawn at (0, baseline) of a line: pixel (xo + xx, baseline + yo + yy)
            std::fprintf(placed, "U+%04X\n", c);
            for (int y = 0; y < pgm_read_byte(&f->yAdvance); ++y) {
                for (int x = 0; x < place; ++x) {
                    const int gy = y - (baseline + yo), gx = x - xo;
                    std::fputc(gy >= 0 && gy < h && gx >= 0 && gx < w && dots[gy][gx] ? '#' : '.', placed);
                }
                std::fputc('\n', placed);
            }
        }
    }
    if (placed) std::fclose(placed);
    return 0;
}
EOF
gfx_glyphs=0
# gfx_case LABEL WxH EXPORT-OPTIONS...
gfx_case() {
  local label=$1 matrix=$2
  shift 2
  local d=$work/gfx_$label w=${matrix%x*} h=${matrix#*x}
  mkdir -p "$d"
  "$cli" export --format adafruit-gfx --matrix "$matrix" --name font_under_test "$@" \
    -o "$d/font.h" >/dev/null
  local baseline
  baseline=$(sed -n '1s/.*the baseline (the cursor.s y) \([0-9]*\) rows below.*/\1/p' "$d/font.h")
  g++ -std=c++17 -Wall -Wextra -Werror -Wno-unused-function -I"$gfx" -I"$d" \
    -DFONT=font_under_test '-DFONT_HEADER="font.h"' "$g/check.cpp" -o "$d/check"
  "$d/check" "$w" "$baseline" "$d/placed.txt" >"$d/gfx.txt"
  cc -I"$readers" -I"$d" -DFONT=font_under_test '-DGFX_HEADER="font.h"' \
    "$readers/gfx_reader.c" -o "$d/reader"
  "$d/reader" >"$d/reader.txt"
  if ! diff -q "$d/gfx.txt" "$d/reader.txt" >/dev/null; then
    fail "gfx $label: the library's structures and the tests' reader differ"
    diff "$d/gfx.txt" "$d/reader.txt" | head -20
  fi
  grep '^U+' "$d/placed.txt" >"$d/chars"
  show_all "$w" "$h" "$d/chars" --font-file "$latin" >"$d/show.txt"
  if ! diff -q "$d/placed.txt" "$d/show.txt" >/dev/null; then
    fail "gfx $label: glyphs on their line differ from show"
    diff "$d/placed.txt" "$d/show.txt" | head -20
  fi
  local n
  n=$(grep -c . "$d/chars" || true)
  gfx_glyphs=$((gfx_glyphs + n))
  echo "gfx $label: $n glyphs with ink"
}
gfx_case latin 12x16 --range U+0020-U+007E,U+00A0-U+00FF --font-file "$latin"
gfx_case latin_monospace 8x12 --monospace --range U+0020-U+00FF --font-file "$latin"
echo "Adafruit GFX: $gfx_glyphs glyphs"

# ---------------------------------------------------------------------------------------------
# u8g2: bdfconv reads the BDF and makes a u8g2 font.
if [ "$u8g2" = - ]; then
  echo "u8g2: left out"
else
b=$work/bdfconv
cp -r "$u8g2/tools/font/bdfconv" "$b"
make -C "$b" -s bdfconv CFLAGS="-O1 -w" >/dev/null
# u8g2 itself draws each glyph at the baseline into its memory bitmap (u8g2_SetupBitmap), as
# the page's snippet does, printed in show's form.
ud=$work/u8g2_lib
mkdir -p "$ud"
cat >"$ud/draw.c" <<'EOF'
#include <stdio.h>
#include <stdlib.h>
#include "u8g2.h"
extern const uint8_t u8g2_font_under_test[];
/* draw W H ASCENT, then a "U+XXXX" line a glyph on stdin: each code and its W x H dots. */
int main(int argc, char** argv) {
    const int w = atoi(argv[1]), h = atoi(argv[2]), ascent = atoi(argv[3]);
    char line[64];
    u8g2_t u8g2;
    u8g2_SetupBitmap(&u8g2, &u8g2_cb_r0, (uint16_t)w, (uint16_t)h);
    u8x8_InitDisplay(u8g2_GetU8x8(&u8g2));
    u8g2_SetFont(&u8g2, u8g2_font_under_test);
    u8g2_SetFontMode(&u8g2, 1);
    while (argc > 3 && fgets(line, sizeof line, stdin) != NULL) {
        unsigned code = (unsigned)strtoul(line + 2, NULL, 16);
        u8g2_ClearBuffer(&u8g2);
        u8g2_DrawGlyph(&u8g2, 0, (u8g2_uint_t)ascent, (uint16_t)code);
        u8g2_SendBuffer(&u8g2);
        printf("U+%04X\n", code);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                putchar(u8x8_GetBitmapPixel(u8g2_GetU8x8(&u8g2), (uint16_t)x, (uint16_t)y) ? '#' : '.');
            putchar('\n');
        }
    }
    return 0;
}
EOF
for f in "$u8g2"/csrc/*.c "$u8g2/sys/bitmap/common/u8x8_d_bitmap.c"; do
  cc -O1 -w -DU8G2_USE_LARGE_FONTS -I"$u8g2/csrc" -c "$f" -o "$ud/$(basename "$f" .c).o"
done
u8g2_glyphs=0
u8g2_check() {
  local label=$1 matrix=$2 map=$3
  shift 3
  # The settings for show: the export's options less those that choose the characters.
  local settings=() skip=0 a
  for a in "$@"; do
    if [ "$skip" = 1 ]; then skip=0; continue; fi
    case $a in --range | --codepage | --from | --to) skip=1 ;; *) settings+=("$a") ;; esac
  done
  local d=$work/u8g2_$label
  mkdir -p "$d"
  "$cli" export --format bdf --matrix "$matrix" "$@" -o "$d/font.bdf" >/dev/null
  local chars
  chars=$(grep -c '^STARTCHAR' "$d/font.bdf")
  (cd "$d" && "$b/bdfconv" -v -f 1 -b 0 -m "$map" -n u8g2_font_under_test -o font.c font.bdf \
    >bdfconv.txt 2>&1) || { fail "u8g2 $label: bdfconv failed"; cat "$d/bdfconv.txt"; return; }
  grep -q 'u8g2_font_under_test\[' "$d/font.c" || { fail "u8g2 $label: no font array"; return; }
  echo "u8g2 $label: bdfconv converted the BDF of $chars glyphs ($(stat -c %s "$d/font.c") bytes of C)"
  local w=${matrix%x*} h=${matrix#*x} ascent
  ascent=$(sed -n 's/^FONT_ASCENT //p' "$d/font.bdf")
  cc -O1 -w -DU8G2_USE_LARGE_FONTS -I"$u8g2/csrc" -include u8g2.h "$d/font.c" "$ud/draw.c" \
    "$ud"/u8*.o -o "$d/draw"
  # The glyphs that the map took and the BDF has.
  sed -n 's/^ENCODING //p' "$d/font.bdf" | while read -r code; do
    case $map in
      32-255) [ "$code" -ge 32 ] && [ "$code" -le 255 ] ;;
      *) { [ "$code" -ge 32 ] && [ "$code" -le 127 ]; } ||
        { [ "$code" -ge 19968 ] && [ "$code" -le 40869 ]; } ;;
    esac && printf 'U+%04X\n' "$code"
  done >"$d/codes"
  "$d/draw" "$w" "$h" "$ascent" <"$d/codes" >"$d/u8g2.txt"
  show_all "$w" "$h" "$d/codes" "${settings[@]}" >"$d/show.txt"
  if cmp -s "$d/u8g2.txt" "$d/show.txt"; then
    u8g2_glyphs=$((u8g2_glyphs + $(wc -l <"$d/codes")))
    echo "u8g2 $label: the $(wc -l <"$d/codes") glyphs u8g2 draws equal show"
  else
    fail "u8g2 $label: u8g2 draws other dots than show (diff $d/u8g2.txt $d/show.txt)"
  fi
  # Zemtra's own u8g2 export of the same glyphs, drawn by u8g2 the same way.
  "$cli" export --format u8g2 --matrix "$matrix" "$@" --name u8g2_font_under_test \
    -o "$d/zemtra.c" >/dev/null
  cc -O1 -w -DU8G2_USE_LARGE_FONTS -I"$u8g2/csrc" "$d/zemtra.c" "$ud/draw.c" "$ud"/u8*.o \
    -o "$d/draw_zemtra"
  "$d/draw_zemtra" "$w" "$h" "$ascent" <"$d/codes" >"$d/u8g2_zemtra.txt"
  local ours theirs
  ours=$(sed -n 's/.*u8g2_font_under_test\[\([0-9]*\)\].*/\1/p' "$d/zemtra.c")
  theirs=$(sed -n 's/.*u8g2_font_under_test\[\([0-9]*\)\].*/\1/p' "$d/font.c")
  if cmp -s "$d/u8g2_zemtra.txt" "$d/show.txt"; then
    u8g2_glyphs=$((u8g2_glyphs + $(wc -l <"$d/codes")))
    echo "u8g2 $label: Zemtra's u8g2 font ($ours bytes; bdfconv's $theirs): the glyphs u8g2 draws equal show"
  else
    fail "u8g2 $label: u8g2 draws Zemtra's u8g2 font otherwise than show (diff $d/u8g2_zemtra.txt $d/show.txt)"
  fi
}
u8g2_check latin 16x16 '32-255' --range U+0020-U+007E,U+00A0-U+00FF --font-file "$latin"
u8g2_check gb2312 16x16 '32-127,$4E00-$9FA5' --codepage gb2312 --from B0A1 --to B3FE \
  --font-file "$cjk"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures checks found differences"
  exit 1
fi
[ "$u8g2" = - ] || echo "u8g2: $u8g2_glyphs glyphs"
echo "all equal"

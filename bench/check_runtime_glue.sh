#!/usr/bin/env bash
# Runs the runtime's glue examples with the display libraries' own code, outside the test suite:
#
#   bench/check_runtime_glue.sh LVGL_DIR U8G2_DIR ADAFRUIT_GFX_DIR [ZEMTRA_CLI]
#
# It fetches nothing; clone the libraries outside the tree first (LVGL 9.2 or later, u8g2,
# Adafruit GFX), as for bench/check_consumers.sh. ZEMTRA_CLI defaults to build/zemtra-cli.
# - LVGL: the whole library is built (its lv_conf_template.h with 32-bit colour and no theme),
#   runtime/examples/lvgl/main.c shows an lv_label in the font of runtime/glue/zf_lvgl.c on a
#   display that flushes into memory;
# - u8g2: runtime/examples/u8g2/main.c draws through runtime/glue/zf_u8g2.c into u8g2's memory
#   bitmap (u8g2_SetupBitmap);
# - Adafruit GFX: runtime/glue/zf_adafruit_gfx.h draws into the library's GFXcanvas1 (Arduino's
#   Print class and pgmspace replaced by a few stand-in lines).
# Each prints "你好, Zemtra" 16 dots high, which must equal `zemtra-cli show` of its characters
# side by side. Exit 0 when all three do.
set -euo pipefail
export LC_ALL=C.UTF-8
[ $# -ge 3 ] || { sed -n '2,17p' "$0" >&2; exit 2; }
lvgl=$(realpath "$1")
u8g2=$(realpath "$2")
gfx=$(realpath "$3")
cd "$(dirname "$0")/.."
root=$PWD
cli=$(realpath "${4:-build/zemtra-cli}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rt="$root/runtime"

# The libraries and headers the examples include, and what show draws.
"$cli" library --codepage unicode --from 0020 --to 597E --matrix 16x16 \
  -o "$work/uni16.dzk" --header "$work/uni16.h"
"$cli" library --codepage gb2312 --from B0A1 --to C4FE --matrix 16x16 \
  -o "$work/hz16.dzk" --header "$work/hz16.h" --unicode-map
"$cli" library --codepage unicode --from 0020 --to 007E --matrix 16x16 \
  -o "$work/ascii16.dzk" --header "$work/ascii16.h"
: >"$work/want"
for row in $(seq 1 16); do
  line=""
  for c in 你 好 , " " Z e m t r a; do
    line+=$("$cli" show --matrix 16x16 --char "$c" | sed -n "${row}p")
  done
  echo "$line" >>"$work/want"
done

status=0
check() { # NAME FILE
  if cmp -s "$work/want" "$2"; then
    echo "$1: the same dots as show"
  else
    echo "$1: differs from show" >&2
    diff "$work/want" "$2" >&2 || true
    status=1
  fi
}

# LVGL, built whole.
lo=$work/lvgl
mkdir -p "$lo"
sed -e 's/^#if 0 .*Set this to "1" to enable content.*/#if 1/' \
  -e 's/^#define LV_COLOR_DEPTH .*/#define LV_COLOR_DEPTH 32/' \
  -e 's/^#define LV_USE_THEME_DEFAULT .*/#define LV_USE_THEME_DEFAULT 0/' \
  -e 's/^\( *\)#define LV_MEM_SIZE .*/\1#define LV_MEM_SIZE (256 * 1024U)/' \
  "$lvgl/lv_conf_template.h" >"$lo/lv_conf.h"
find "$lvgl/src" -name '*.c' | xargs -P "$(nproc)" -I{} sh -c \
  'cc -O1 -w -DLV_CONF_INCLUDE_SIMPLE -I"$1" -I"$2" -c "$3" -o "$1/$(echo "$3" | md5sum | cut -c1-16).o"' \
  _ "$lo" "$lvgl" {}
cc -std=c99 -O1 -Wall -Wextra -DLV_CONF_INCLUDE_SIMPLE -I"$lo" -I"$lvgl" -I"$rt" -I"$rt/glue" \
  -I"$work" "$rt/examples/lvgl/main.c" "$rt/glue/zf_lvgl.c" "$rt/zemtra_font.c" "$lo"/*.o -lm \
  -o "$work/lvgl_example"
"$work/lvgl_example" "$work/uni16.dzk" >"$work/lvgl.txt"
check "LVGL $(sed -n 's/^#define LVGL_VERSION_MAJOR *//p' "$lvgl/lv_version.h").$(sed -n 's/^#define LVGL_VERSION_MINOR *//p' "$lvgl/lv_version.h") lv_label" "$work/lvgl.txt"

# u8g2.
uo=$work/u8g2
mkdir -p "$uo"
for f in "$u8g2"/csrc/*.c "$u8g2/sys/bitmap/common/u8x8_d_bitmap.c"; do
  case $f in */u8g2_fonts.c) continue ;; esac
  cc -O1 -w -I"$u8g2/csrc" -c "$f" -o "$uo/$(basename "$f" .c).o"
done
cc -std=c99 -O1 -Wall -Wextra -I"$u8g2/csrc" -I"$rt" -I"$rt/glue" -I"$work" \
  "$rt/examples/u8g2/main.c" "$rt/glue/zf_u8g2.c" "$rt/zemtra_font.c" "$uo"/*.o \
  -o "$work/u8g2_example"
"$work/u8g2_example" "$work/hz16.dzk" "$work/ascii16.dzk" >"$work/u8g2.txt"
check "u8g2 u8g2_DrawPixel" "$work/u8g2.txt"

# Adafruit GFX: GFXcanvas1 of the library's own Adafruit_GFX.cpp.
go=$work/gfx
mkdir -p "$go"
cat >"$go/Arduino.h" <<'EOS'
#pragma once
#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#define PROGMEM
#define pgm_read_byte(a) (*(const uint8_t*)(a))
#define pgm_read_word(a) (*(const uint16_t*)(a))
#define pgm_read_dword(a) (*(const uint32_t*)(a))
#define pgm_read_pointer(a) (*(void* const*)(a))
#define min(a, b) ((a) < (b) ? (a) : (b))
#define max(a, b) ((a) > (b) ? (a) : (b))
#define radians(d) ((d) * 0.017453292519943295)
typedef bool boolean;
class __FlashStringHelper;
#include "Print.h"
EOS
cat >"$go/Print.h" <<'EOS'
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string.h>
class Print {
  public:
    virtual ~Print() {}
    virtual size_t write(uint8_t) = 0;
    virtual size_t write(const uint8_t* b, size_t n) { size_t k = 0; while (n--) k += write(*b++); return k; }
    size_t write(const char* s) { return write((const uint8_t*)s, strlen(s)); }
    size_t print(const char* s) { return write(s); }
};
class String {
  public:
    size_t length() const { return 0; }
    const char* c_str() const { return ""; }
};
EOS
: >"$go/Adafruit_I2CDevice.h"
: >"$go/Adafruit_SPIDevice.h"
cat >"$go/main.cpp" <<'EOS'
#include <stdio.h>
#include "zf_adafruit_gfx.h"
#include "hz16.h"
#include "ascii16.h"
static int read_file(void* ctx, uint32_t offset, void* buffer, uint32_t length) {
    FILE* f = (FILE*)ctx;
    if (fseek(f, (long)offset, SEEK_SET) != 0) return -1;
    return fread(buffer, 1, length, f) == length ? 0 : -1;
}
int main(int, char** argv) {
    static uint8_t buffer[64];
    FILE* hz = fopen(argv[1], "rb");
    FILE* ascii = fopen(argv[2], "rb");
    GFXcanvas1 canvas(160, 16);
    const char* text = "\xE4\xBD\xA0\xE5\xA5\xBD, Zemtra";
    if (zf_gfx_draw_text(canvas, 1, &hz16_info, read_file, hz, &hz16_unicode_map, text, 0, 0,
                         buffer, sizeof buffer) != ZF_OK ||
        zf_gfx_draw_text(canvas, 1, &ascii16_info, read_file, ascii, nullptr, text, 0, 0, buffer,
                         sizeof buffer) != ZF_OK)
        return 1;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 160; ++x) putchar(canvas.getPixel(x, y) ? '#' : '.');
        putchar('\n');
    }
}
EOS
c++ -O1 -w -DARDUINO=100 -I"$go" -I"$gfx" -c "$gfx/Adafruit_GFX.cpp" -o "$go/gfx.o"
cc -std=c99 -O1 -Wall -Wextra -c "$rt/zemtra_font.c" -o "$go/zf.o"
c++ -O1 -Wall -Wextra -DARDUINO=100 -I"$go" -I"$gfx" -I"$rt" -I"$rt/glue" -I"$work" \
  "$go/main.cpp" "$go/gfx.o" "$go/zf.o" -o "$work/gfx_example"
"$work/gfx_example" "$work/hz16.dzk" "$work/ascii16.dzk" >"$work/gfx.txt"
check "Adafruit GFX GFXcanvas1" "$work/gfx.txt"
exit $status

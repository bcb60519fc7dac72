/* hello-glyph: prints one glyph of the Zemtra-generated font data as rows of '#' and '.'.
 *
 *   hello-glyph [C]             the glyph of character C from the C source (default: the first)
 *   hello-glyph --library C     the same character's record from the font library ascii.dzk
 *   hello-glyph --gfx C         the same character from the Adafruit GFX font hello_gfx.h
 *
 * The data follow hello.fprj: a 12 x 16 matrix in the scan mode Row, Forward, Cathode, 8 bits.
 * That mode is the simplest to read: rows top to bottom, each row in (12 + 7) / 8 = 2 bytes,
 * the leftmost dot in bit 7 of the first byte, a lit dot is 1, and the 4 unused low bits of
 * each row's second byte are 0. The font library stores the same bytes, one record a code.
 * The GFX font keeps every glyph as the whole matrix; its bits run on from row to row.
 */
#include <stdio.h>
#include <string.h>

#define GLYPH_W 12 /* BLOCKNUMX of hello.fprj */
#define GLYPH_H 16 /* BLOCKNUMY of hello.fprj */
#define ROW_BYTES ((GLYPH_W + 7) / 8)
#define GLYPH_BYTES (GLYPH_H * ROW_BYTES)

#include "gfxfont.h"
#define PROGMEM
#include "hello_gfx.h" /* written by zemtra-cli export */

/* Written by zemtra-cli c-source into hello_font.c. */
extern const unsigned char fontlib_12x16[];
/* The character code of each glyph: an ASCII character c is c * 256 (high byte first). */
extern const unsigned short fonttab_12x16[];

static void print_glyph(const unsigned char *glyph) {
    for (int y = 0; y < GLYPH_H; ++y) {
        for (int x = 0; x < GLYPH_W; ++x) {
            const unsigned char byte = glyph[y * ROW_BYTES + x / 8];
            putchar((byte >> (7 - x % 8)) & 1 ? '#' : '.');
        }
        putchar('\n');
    }
}

static int from_c_source(const char *character) {
    for (int i = 0; i < HELLO_GLYPHS; ++i) {
        if (character == NULL || fonttab_12x16[i] == (unsigned char)character[0] * 256u) {
            print_glyph(fontlib_12x16 + i * GLYPH_BYTES);
            return 0;
        }
    }
    fprintf(stderr, "hello-glyph: '%s' is not in the C source\n", character);
    return 1;
}

static int from_library(const char *character) {
    const unsigned char code = (unsigned char)character[0];
    if (code < 0x20 || code > 0x7E) {
        fprintf(stderr, "hello-glyph: the library holds 0x20..0x7E only\n");
        return 1;
    }
    FILE *file = fopen(HELLO_LIBRARY, "rb");
    unsigned char glyph[GLYPH_BYTES];
    if (file == NULL || fseek(file, (long)(code - 0x20) * GLYPH_BYTES, SEEK_SET) != 0 ||
        fread(glyph, 1, sizeof glyph, file) != sizeof glyph) {
        fprintf(stderr, "hello-glyph: cannot read the record of '%c' from %s\n", code,
                HELLO_LIBRARY);
        if (file != NULL) fclose(file);
        return 1;
    }
    fclose(file);
    print_glyph(glyph);
    return 0;
}

static int from_gfx(const char *character) {
    const unsigned char code = (unsigned char)character[0];
    if (code < hello_gfx.first || code > hello_gfx.last) {
        fprintf(stderr, "hello-glyph: the GFX font holds 0x%02X..0x%02X only\n", hello_gfx.first,
                hello_gfx.last);
        return 1;
    }
    const GFXglyph *g = &hello_gfx.glyph[code - hello_gfx.first];
    unsigned offset = g->bitmapOffset, bit = 0, bits = 0;
    for (unsigned y = 0; y < g->height; ++y) {
        for (unsigned x = 0; x < g->width; ++x, ++bit) {
            if (bit % 8 == 0) bits = hello_gfx.bitmap[offset++];
            putchar(bits & 0x80 ? '#' : '.');
            bits <<= 1;
        }
        putchar('\n');
    }
    return 0;
}

int main(int argc, char **argv) {
    if (argc == 3 && strcmp(argv[1], "--library") == 0) return from_library(argv[2]);
    if (argc == 3 && strcmp(argv[1], "--gfx") == 0) return from_gfx(argv[2]);
    if (argc <= 2) return from_c_source(argc == 2 ? argv[1] : NULL);
    fprintf(stderr, "usage: hello-glyph [C] | hello-glyph --library C | hello-glyph --gfx C\n");
    return 2;
}

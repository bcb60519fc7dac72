/* Reads an exported Adafruit GFX font header as the library draws it, independently of the
 * writer, and prints every glyph from first to last:
 *   font FIRST LAST YADVANCE
 *   CODE XADVANCE WIDTH HEIGHT XOFFSET YOFFSET      then HEIGHT lines of WIDTH 0s and 1s
 * A glyph's bits start at its bitmapOffset and run on from row to row, most significant bit
 * first, as the library's drawChar reads them. Build:
 *   cc -DFONT=name '-DGFX_HEADER="font.h"' -I. gfx_reader.c */
#include <stdio.h>

#include "gfxfont.h"
#include GFX_HEADER

int main(void) {
    const GFXfont* f = &FONT;
    printf("font %u %u %u\n", (unsigned)f->first, (unsigned)f->last, (unsigned)f->yAdvance);
    for (unsigned c = f->first; c <= f->last; ++c) {
        const GFXglyph* g = &f->glyph[c - f->first];
        printf("%u %u %u %u %d %d\n", c, (unsigned)g->xAdvance, (unsigned)g->width,
               (unsigned)g->height, (int)g->xOffset, (int)g->yOffset);
        unsigned bo = g->bitmapOffset, bit = 0, bits = 0;
        for (unsigned y = 0; y < g->height; ++y) {
            for (unsigned x = 0; x < g->width; ++x) {
                if (!(bit++ & 7)) bits = f->bitmap[bo++];
                putchar(bits & 0x80 ? '1' : '0');
                bits <<= 1;
            }
            putchar('\n');
        }
    }
    return 0;
}

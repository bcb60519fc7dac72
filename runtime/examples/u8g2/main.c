/* u8g2 drawing "你好, Zemtra" from a GB2312 font library (你 and 好, found through the library's
 * Unicode map) and a Unicode library (the rest) with u8g2's pixel call. On the desktop u8g2
 * draws into its memory bitmap and the screen is printed, '#' lit; on a board, set up u8g2 for
 * the display and read the libraries from its flash.
 *
 *   zemtra-cli library --codepage gb2312 --from B0A1 --to C4FE --matrix 16x16 \
 *     -o hz16.dzk --header hz16.h --unicode-map
 *   zemtra-cli library --codepage unicode --from 0020 --to 007E --matrix 16x16 \
 *     -o ascii16.dzk --header ascii16.h
 *   ./u8g2_example hz16.dzk ascii16.dzk
 *
 * MIT License, Copyright (c) 2026 the Zemtra authors. */
#include <stdio.h>

#include "ascii16.h"
#include "hz16.h"
#include "u8g2.h"
#include "zf_u8g2.h"

#define SCREEN_W 160
#define SCREEN_H 16

static int read_file(void* ctx, uint32_t offset, void* buffer, uint32_t length) {
    FILE* f = ctx;
    if (fseek(f, (long)offset, SEEK_SET) != 0) return -1;
    return fread(buffer, 1, length, f) == length ? 0 : -1;
}

int main(int argc, char** argv) {
    static uint8_t glyph_buffer[2 * 16 + 32]; /* ZF_DOTS_BUFFER of a 16 x 16 library */
    FILE* hz = argc > 2 ? fopen(argv[1], "rb") : NULL;
    FILE* ascii = argc > 2 ? fopen(argv[2], "rb") : NULL;
    if (hz == NULL || ascii == NULL) return 1;
    u8g2_t u8g2;
    u8g2_SetupBitmap(&u8g2, &u8g2_cb_r0, SCREEN_W, SCREEN_H);
    u8x8_InitDisplay(u8g2_GetU8x8(&u8g2));
    u8g2_ClearBuffer(&u8g2);
    u8g2_SetDrawColor(&u8g2, 1);
    const char* text = "\xE4\xBD\xA0\xE5\xA5\xBD, Zemtra"; /* 你好, Zemtra */
    /* Each library leaves the characters it lacks empty, W dots wide, so the two drawings of the
     * same text fit into each other: the Chinese from one, the ASCII from the other. */
    if (zf_u8g2_draw_text(&u8g2, &hz16_info, read_file, hz, &hz16_unicode_map, text, 0, 0,
                          glyph_buffer, sizeof glyph_buffer) != ZF_OK ||
        zf_u8g2_draw_text(&u8g2, &ascii16_info, read_file, ascii, NULL, text, 0, 0, glyph_buffer,
                          sizeof glyph_buffer) != ZF_OK) {
        return 1;
    }
    u8g2_SendBuffer(&u8g2);
    for (int y = 0; y < SCREEN_H; ++y) {
        for (int x = 0; x < SCREEN_W; ++x) {
            putchar(u8x8_GetBitmapPixel(u8g2_GetU8x8(&u8g2), (uint16_t)x, (uint16_t)y) ? '#' : '.');
        }
        putchar('\n');
    }
    fclose(hz);
    fclose(ascii);
    return 0;
}

/* Runs the runtime's LVGL and u8g2 glue against the tests' stand-ins for their headers, as the
 * libraries call it: for each UTF-8 argument, "lvgl": LVGL's get_glyph_dsc and get_glyph_bitmap
 * (A8 into a draw buffer with a padded stride, then the raw one-bit rows), each printed as H
 * lines of W characters ('#' lit); "u8g2": the text drawn through u8g2_DrawPixel, printed the
 * same way. "-" before an argument asks for a character the library lacks ("none" or the
 * u8g2 canvas left empty). The library is argv[1], its header HEADER with INFO (and MAP). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include HEADER
#include "zf_lvgl.h"
#include "zf_u8g2.h"

#ifdef MAP
static const zf_unicode_map* const map = &MAP;
#else
static const zf_unicode_map* const map = NULL;
#endif

static FILE* library;

static int read_file(void* ctx, uint32_t offset, void* buffer, uint32_t length) {
    (void)ctx;
    if (fseek(library, (long)offset, SEEK_SET) != 0) return -1;
    return fread(buffer, 1, length, library) == length ? 0 : -1;
}

struct u8g2_struct {
    char canvas[64][256];
};

void u8g2_DrawPixel(u8g2_t* u8g2, u8g2_uint_t x, u8g2_uint_t y) {
    if (x < 256 && y < 64) u8g2->canvas[y][x] = '#';
}

int main(int argc, char** argv) {
    static uint8_t glyph_buffer[4096];
    static uint8_t a8[64 * 68];
    static zf_lvgl_font font;
    const zf_library_info* info = &INFO;
    const uint32_t w = info->width, h = info->height;
    if (argc < 3 || (library = fopen(argv[1], "rb")) == NULL) return 1;
    if (zf_lvgl_font_init(&font, info, read_file, NULL, map, glyph_buffer, ZF_DOTS_BUFFER(info)) !=
        ZF_OK) {
        return 1;
    }
    printf("line_height %d base_line %d\n", (int)font.font.line_height, (int)font.font.base_line);
    for (int a = 3; a < argc; ++a) {
        const char* text = argv[a];
        if (strcmp(argv[2], "u8g2") == 0) {
            static u8g2_t u8g2;
            memset(u8g2.canvas, '.', sizeof u8g2.canvas);
            const int got = zf_u8g2_draw_text(&u8g2, info, read_file, NULL, map, text, 0, 0,
                                              glyph_buffer, ZF_DOTS_BUFFER(info));
            for (uint32_t y = 0; got == ZF_OK && y < h; ++y) {
                printf("%.*s\n", (int)(w * 3), u8g2.canvas[y]);
            }
            if (got != ZF_OK) printf("error %d\n", got);
            continue;
        }
        lv_font_glyph_dsc_t dsc;
        memset(&dsc, 0, sizeof dsc);
        if (!font.font.get_glyph_dsc(&font.font, &dsc, zf_next_utf8(&text), 0)) {
            printf("none\n");
            continue;
        }
        dsc.resolved_font = &font.font;
        printf("adv %u box %ux%u ofs %d,%d format %u\n", dsc.adv_w, dsc.box_w, dsc.box_h, dsc.ofs_x,
               dsc.ofs_y, dsc.format);
        lv_draw_buf_t draw_buf;
        memset(&draw_buf, 0, sizeof draw_buf);
        draw_buf.header.stride = (dsc.box_w + 3u) & ~3u;
        draw_buf.data = a8;
        memset(a8, 0x55, sizeof a8);
        if (font.font.get_glyph_bitmap(&dsc, &draw_buf) != &draw_buf) return 1;
        for (uint32_t y = 0; y < h; ++y) {
            for (uint32_t x = 0; x < w; ++x) {
                const uint8_t v = a8[y * draw_buf.header.stride + x];
                putchar(v == 0xFF ? '#' : v == 0 ? '.' : '?');
            }
            putchar('\n');
        }
        dsc.req_raw_bitmap = 1;
        const uint8_t* raw = font.font.get_glyph_bitmap(&dsc, NULL);
        for (uint32_t y = 0; raw != NULL && y < h; ++y) {
            for (uint32_t x = 0; x < w; ++x) {
                putchar(raw[y * dsc.stride + x / 8] & (0x80 >> (x % 8)) ? '#' : '.');
            }
            putchar('\n');
        }
    }
    fclose(library);
    return 0;
}

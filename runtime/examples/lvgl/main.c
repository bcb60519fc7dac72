/* An lv_label showing "你好, Zemtra" from a Unicode font library, read glyph by glyph through
 * the read callback. On the desktop it runs as it would on a board: the library file stands for
 * the external flash, the display flushes into memory, and the screen is printed, '#' lit.
 *
 *   zemtra-cli library --codepage unicode --from 0020 --to 597E --matrix 16x16 \
 *     -o uni16.dzk --header uni16.h
 *   cc -I runtime -I runtime/glue -I . -I LVGL_DIR main.c runtime/glue/zf_lvgl.c \
 *     runtime/zemtra_font.c LVGL's objects -o lvgl_example && ./lvgl_example uni16.dzk
 *
 * MIT License, Copyright (c) 2026 the Zemtra authors. */
#include <stdio.h>
#include <string.h>

#include "lvgl.h"
#include "uni16.h"
#include "zf_lvgl.h"

#define SCREEN_W 160
#define SCREEN_H 16

static FILE* flash;                       /* on a board: the SPI flash driver */
static uint8_t glyph_buffer[2 * 16 + 32]; /* ZF_DOTS_BUFFER(&uni16_info) */
static uint32_t screen[SCREEN_W * SCREEN_H];

static int read_flash(void* ctx, uint32_t offset, void* buffer, uint32_t length) {
    (void)ctx;
    /* On a board: send the flash's read command for offset, then clock in length bytes. */
    if (fseek(flash, (long)offset, SEEK_SET) != 0) return -1;
    return fread(buffer, 1, length, flash) == length ? 0 : -1;
}

static void flush(lv_display_t* display, const lv_area_t* area, uint8_t* pixels) {
    for (int32_t y = area->y1; y <= area->y2; ++y) {
        memcpy(&screen[y * SCREEN_W + area->x1], pixels, (size_t)(area->x2 - area->x1 + 1) * 4);
        pixels += (area->x2 - area->x1 + 1) * 4;
    }
    lv_display_flush_ready(display);
}

int main(int argc, char** argv) {
    static uint32_t draw_buffer[SCREEN_W * SCREEN_H];
    static zf_lvgl_font font;
    if (argc < 2 || (flash = fopen(argv[1], "rb")) == NULL) return 1;
    lv_init();
    lv_display_t* display = lv_display_create(SCREEN_W, SCREEN_H);
    lv_display_set_color_format(display, LV_COLOR_FORMAT_XRGB8888);
    lv_display_set_buffers(display, draw_buffer, NULL, sizeof draw_buffer,
                           LV_DISPLAY_RENDER_MODE_FULL);
    lv_display_set_flush_cb(display, flush);
    if (zf_lvgl_font_init(&font, &uni16_info, read_flash, NULL, NULL, glyph_buffer,
                          sizeof glyph_buffer) != ZF_OK) {
        return 1;
    }
    lv_obj_t* screen_obj = lv_screen_active();
    lv_obj_set_style_bg_color(screen_obj, lv_color_black(), 0);
    lv_obj_set_style_bg_opa(screen_obj, LV_OPA_COVER, 0);
    lv_obj_t* label = lv_label_create(screen_obj);
    lv_obj_set_style_text_font(label, &font.font, 0);
    lv_obj_set_style_text_color(label, lv_color_white(), 0);
    lv_label_set_text(label, "\xE4\xBD\xA0\xE5\xA5\xBD, Zemtra"); /* 你好, Zemtra */
    lv_obj_set_pos(label, 0, 0);
    lv_refr_now(display);
    for (int y = 0; y < SCREEN_H; ++y) {
        for (int x = 0; x < SCREEN_W; ++x)
            putchar((screen[y * SCREEN_W + x] & 0xFF) > 127 ? '#' : '.');
        putchar('\n');
    }
    fclose(flash);
    return 0;
}

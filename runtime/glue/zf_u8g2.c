/* MIT License, Copyright (c) 2026 the Zemtra authors. */
#include "zf_u8g2.h"

static void draw_pixel(void* u8g2, int x, int y) {
    /* u8g2's coordinates are unsigned: a dot left of or above the display is not drawn. */
    if (x >= 0 && y >= 0) u8g2_DrawPixel((u8g2_t*)u8g2, (u8g2_uint_t)x, (u8g2_uint_t)y);
}

int zf_u8g2_draw_text(u8g2_t* u8g2, const zf_library_info* info, zf_read_fn read, void* ctx,
                      const zf_unicode_map* map, const char* text, int x, int y, uint8_t* buffer,
                      uint32_t buffer_size) {
    return zf_draw_text(info, read, ctx, map, text, x, y, draw_pixel, u8g2, buffer, buffer_size);
}

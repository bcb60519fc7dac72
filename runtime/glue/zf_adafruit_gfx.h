/* Text from a font library drawn on any Adafruit GFX display or canvas with its drawPixel.
 * Header only, C++. MIT License, Copyright (c) 2026 the Zemtra authors. */
#ifndef ZF_ADAFRUIT_GFX_H
#define ZF_ADAFRUIT_GFX_H

#include <Adafruit_GFX.h>

#include "zemtra_font.h"

struct zf_gfx_target {
    Adafruit_GFX* gfx;
    uint16_t color;
};

inline void zf_gfx_pixel(void* target, int x, int y) {
    zf_gfx_target* t = static_cast<zf_gfx_target*>(target);
    t->gfx->drawPixel(static_cast<int16_t>(x), static_cast<int16_t>(y), t->color);
}

/* Draws text in color with its top-left dot at (x, y), W dots a character; as zf_draw_text. */
inline int zf_gfx_draw_text(Adafruit_GFX& gfx, uint16_t color, const zf_library_info* info,
                            zf_read_fn read, void* ctx, const zf_unicode_map* map, const char* text,
                            int x, int y, uint8_t* buffer, uint32_t buffer_size) {
    zf_gfx_target target = {&gfx, color};
    return zf_draw_text(info, read, ctx, map, text, x, y, zf_gfx_pixel, &target, buffer,
                        buffer_size);
}

#endif

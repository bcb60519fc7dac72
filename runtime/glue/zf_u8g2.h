/* Text from a font library drawn with u8g2's pixel call (u8g2_DrawPixel, in the draw colour
 * u8g2_SetDrawColor chose). MIT License, Copyright (c) 2026 the Zemtra authors. */
#ifndef ZF_U8G2_H
#define ZF_U8G2_H

#include "u8g2.h"
#include "zemtra_font.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Draws text with its top-left dot at (x, y), W dots a character; as zf_draw_text. */
int zf_u8g2_draw_text(u8g2_t* u8g2, const zf_library_info* info, zf_read_fn read, void* ctx,
                      const zf_unicode_map* map, const char* text, int x, int y, uint8_t* buffer,
                      uint32_t buffer_size);

#ifdef __cplusplus
}
#endif

#endif

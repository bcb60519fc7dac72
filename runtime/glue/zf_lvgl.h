/* A font library as an LVGL 9 font (9.2 and later): glyphs are read on demand through the read
 * callback into one glyph buffer, so lv_label shows text from a .dzk in external flash without
 * the font in RAM. MIT License, Copyright (c) 2026 the Zemtra authors. */
#ifndef ZF_LVGL_H
#define ZF_LVGL_H

#include "lvgl.h"
#include "zemtra_font.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
    lv_font_t font; /* give &this.font to lv_obj_set_style_text_font */
    const zf_library_info* info;
    zf_read_fn read;
    void* read_ctx;
    const zf_unicode_map* map; /* NULL for a Unicode library */
    uint8_t* buffer;           /* ZF_DOTS_BUFFER(info) bytes, kept as long as the font */
    uint32_t buffer_size;
} zf_lvgl_font;

/* Sets up font; ZF_OK, or ZF_ERR_INFO / ZF_ERR_BUFFER when the library or the buffer cannot be
 * used. Each glyph is W x H dots; the line is H dots high, every glyph filling it. */
int zf_lvgl_font_init(zf_lvgl_font* font, const zf_library_info* info, zf_read_fn read,
                      void* read_ctx, const zf_unicode_map* map, uint8_t* buffer,
                      uint32_t buffer_size);

#ifdef __cplusplus
}
#endif

#endif

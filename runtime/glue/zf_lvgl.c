/* MIT License, Copyright (c) 2026 the Zemtra authors. */
#include "zf_lvgl.h"

#include <string.h>

#if LVGL_VERSION_MAJOR != 9 || LVGL_VERSION_MINOR < 2
#error "zf_lvgl needs LVGL 9.2 or later (get_glyph_bitmap with a draw buffer)"
#endif

static bool get_glyph_dsc(const lv_font_t* font, lv_font_glyph_dsc_t* dsc, uint32_t letter,
                          uint32_t letter_next) {
    const zf_lvgl_font* f = (const zf_lvgl_font*)font->dsc;
    uint32_t code;
    (void)letter_next;
    if (zf_code_of(f->info, letter, f->map, &code) != ZF_OK) return false;
    dsc->adv_w = f->info->width;
    dsc->box_w = f->info->width;
    dsc->box_h = f->info->height;
    dsc->ofs_x = 0;
    dsc->ofs_y = 0;
    dsc->stride = (uint16_t)ZF_ROW_BYTES(f->info);
    dsc->format = LV_FONT_GLYPH_FORMAT_A1;
    dsc->is_placeholder = 0;
    dsc->gid.index = code + 1u; /* 0 means no glyph to LVGL's caches */
    return true;
}

/* The glyph's rows at one bit a dot when LVGL asks for the raw bitmap, else its A8 levels in
 * draw_buf. */
static const void* get_glyph_bitmap(lv_font_glyph_dsc_t* dsc, lv_draw_buf_t* draw_buf) {
    const zf_lvgl_font* f = (const zf_lvgl_font*)dsc->resolved_font->dsc;
    const uint32_t w = f->info->width, h = f->info->height, row = ZF_ROW_BYTES(f->info);
    if (dsc->gid.index == 0 || zf_glyph_dots(f->info, f->read, f->read_ctx, dsc->gid.index - 1u,
                                             f->buffer, f->buffer_size) != ZF_OK) {
        return NULL;
    }
    if (dsc->req_raw_bitmap) return f->buffer;
    if (draw_buf == NULL || draw_buf->data == NULL) return NULL;
    for (uint32_t y = 0; y < h; ++y) {
        uint8_t* out = draw_buf->data + y * draw_buf->header.stride;
        for (uint32_t x = 0; x < w; ++x) {
            out[x] = (f->buffer[y * row + x / 8u] & (0x80u >> (x % 8u))) ? 0xFF : 0x00;
        }
    }
    return draw_buf;
}

int zf_lvgl_font_init(zf_lvgl_font* font, const zf_library_info* info, zf_read_fn read,
                      void* read_ctx, const zf_unicode_map* map, uint8_t* buffer,
                      uint32_t buffer_size) {
    uint32_t offset;
    if (font == NULL || info == NULL ||
        zf_record_offset(info, info->first_code, &offset) == ZF_ERR_INFO) {
        return ZF_ERR_INFO;
    }
    if (read == NULL || buffer == NULL || buffer_size < ZF_DOTS_BUFFER(info)) return ZF_ERR_BUFFER;
    memset(font, 0, sizeof *font);
    font->info = info;
    font->read = read;
    font->read_ctx = read_ctx;
    font->map = map;
    font->buffer = buffer;
    font->buffer_size = buffer_size;
    font->font.get_glyph_dsc = get_glyph_dsc;
    font->font.get_glyph_bitmap = get_glyph_bitmap;
    font->font.line_height = info->height;
    font->font.base_line = 0;
    font->font.subpx = LV_FONT_SUBPX_NONE;
    font->font.underline_position = -1;
    font->font.underline_thickness = 1;
    font->font.dsc = font;
    return ZF_OK;
}

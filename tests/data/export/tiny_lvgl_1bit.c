/* tiny: an LVGL 9 font made by Zemtra, 6 x 8 dots, 1 bit per dot.
 * Glyphs: 2 from tiny.bdf.
 * Declare it with LV_FONT_DECLARE(tiny) and set it with lv_obj_set_style_text_font(obj, &tiny, 0). */

#ifdef __has_include
#if __has_include("lvgl.h")
#ifndef LV_LVGL_H_INCLUDE_SIMPLE
#define LV_LVGL_H_INCLUDE_SIMPLE
#endif
#endif
#endif
#ifdef LV_LVGL_H_INCLUDE_SIMPLE
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif

#if LVGL_VERSION_MAJOR < 9
#error "tiny is made for LVGL 9"
#endif

#ifndef LV_ATTRIBUTE_LARGE_CONST
#define LV_ATTRIBUTE_LARGE_CONST
#endif

static LV_ATTRIBUTE_LARGE_CONST const uint8_t glyph_bitmap[] = {
    /* U+0041 "A" */
    0x22, 0xA3, 0x1F, 0xC6, 0x20,
    /* U+0067 "g" */
    0x79, 0x71, 0xE0,
    0x00  /* end */
};

static const lv_font_fmt_txt_glyph_dsc_t glyph_dsc[] = {
    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0},  /* id 0: no glyph */
    {.bitmap_index = 0, .adv_w = 80, .box_w = 5, .box_h = 7, .ofs_x = 0, .ofs_y = 0},  /* U+0041 */
    {.bitmap_index = 5, .adv_w = 80, .box_w = 4, .box_h = 5, .ofs_x = 0, .ofs_y = -1},  /* U+0067 */
};

static const uint16_t unicode_list_0[] = {
    0, 38,
};

static const lv_font_fmt_txt_cmap_t cmaps[] = {
    {.range_start = 65, .range_length = 39, .glyph_id_start = 1, .unicode_list = unicode_list_0, .glyph_id_ofs_list = NULL, .list_length = 2, .type = LV_FONT_FMT_TXT_CMAP_SPARSE_TINY},
};

#ifndef LV_FONT_DSC_CONST
#define LV_FONT_DSC_CONST const
#endif

static LV_FONT_DSC_CONST lv_font_fmt_txt_dsc_t font_dsc = {
    .glyph_bitmap = glyph_bitmap,
    .glyph_dsc = glyph_dsc,
    .cmaps = cmaps,
    .kern_dsc = NULL,
    .kern_scale = 0,
    .cmap_num = 1,
    .bpp = 1,
    .kern_classes = 0,
    .bitmap_format = 0,
};

const lv_font_t tiny = {
    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,
    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,
    .line_height = 8,
    .base_line = 1,  /* rows below the baseline */
    .subpx = LV_FONT_SUBPX_NONE,
    .underline_position = -1,
    .underline_thickness = 1,
    .dsc = &font_dsc,
    .fallback = NULL,
    .user_data = NULL,
};

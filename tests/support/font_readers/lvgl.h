/* A stand-in for LVGL 9's lvgl.h in the tests: only the declarations an lv_font_fmt_txt font
 * source uses, laid out as LVGL 9 declares them (src/font/lv_font.h and
 * src/font/fmt_txt/lv_font_fmt_txt.h), so an exported font compiles against the same types and
 * signatures and lvgl_reader.c can walk its tables. LV_FONT_FMT_TXT_LARGE picks the large glyph
 * descriptors as in lv_conf.h; ZEMTRA_TEST_LVGL_DSC_BASE puts the descriptor base member of the
 * newest LVGL in front of the font descriptor. */
#ifndef ZEMTRA_TEST_LVGL_H
#define ZEMTRA_TEST_LVGL_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#define LVGL_VERSION_MAJOR 9
#define LVGL_VERSION_MINOR 2
#ifndef LV_FONT_FMT_TXT_LARGE
#define LV_FONT_FMT_TXT_LARGE 0
#endif
#ifndef LV_USE_FONT_COMPRESSED
#define LV_USE_FONT_COMPRESSED 1
#endif
#define LV_ATTRIBUTE_LARGE_CONST

typedef struct _lv_font_t lv_font_t;
typedef struct _lv_draw_buf_t lv_draw_buf_t;

typedef struct {
    const lv_font_t* resolved_font;
    uint16_t adv_w;
    uint16_t box_w;
    uint16_t box_h;
    int16_t ofs_x;
    int16_t ofs_y;
    uint16_t stride;
    uint8_t format;
    uint8_t is_placeholder : 1;
    uint8_t req_raw_bitmap : 1;
    union {
        uint32_t index;
        const void* src;
    } gid;
    void* entry;
} lv_font_glyph_dsc_t;

enum { LV_FONT_SUBPX_NONE, LV_FONT_SUBPX_HOR, LV_FONT_SUBPX_VER, LV_FONT_SUBPX_BOTH };
enum { LV_FONT_GLYPH_FORMAT_NONE = 0, LV_FONT_GLYPH_FORMAT_A1 = 0x01 };

/* The members of LVGL's draw buffer a font's get_glyph_bitmap fills. */
struct _lv_draw_buf_t {
    struct {
        uint32_t magic : 8;
        uint32_t cf : 8;
        uint32_t flags : 16;
        uint32_t w : 16;
        uint32_t h : 16;
        uint32_t stride : 16;
        uint32_t reserved_2 : 16;
    } header;
    uint32_t data_size;
    uint8_t* data;
    void* unaligned_data;
    const void* handlers;
};

struct _lv_font_t {
    bool (*get_glyph_dsc)(const lv_font_t*, lv_font_glyph_dsc_t*, uint32_t letter,
                          uint32_t letter_next);
    const void* (*get_glyph_bitmap)(lv_font_glyph_dsc_t*, lv_draw_buf_t*);
    void (*release_glyph)(const lv_font_t*, lv_font_glyph_dsc_t*);
    int32_t line_height;
    int32_t base_line; /* measured from the bottom of the line */
    uint8_t subpx : 2;
    uint8_t kerning : 1;
    uint8_t static_bitmap : 1;
    int8_t underline_position;
    int8_t underline_thickness;
    const void* dsc;
    const lv_font_t* fallback;
    void* user_data;
};

typedef struct {
#if LV_FONT_FMT_TXT_LARGE == 0
    uint32_t bitmap_index : 20;
    uint32_t adv_w : 12; /* 1/16 dots */
    uint8_t box_w;
    uint8_t box_h;
    int8_t ofs_x;
    int8_t ofs_y; /* the box's lower edge above the baseline */
#else
    uint32_t bitmap_index;
    uint32_t adv_w;
    uint16_t box_w;
    uint16_t box_h;
    int16_t ofs_x;
    int16_t ofs_y;
#endif
} lv_font_fmt_txt_glyph_dsc_t;

typedef enum {
    LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL,
    LV_FONT_FMT_TXT_CMAP_SPARSE_FULL,
    LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY,
    LV_FONT_FMT_TXT_CMAP_SPARSE_TINY,
} lv_font_fmt_txt_cmap_type_t;

typedef struct {
    uint32_t range_start;
    uint16_t range_length;
    uint16_t glyph_id_start;
    const uint16_t* unicode_list;
    const void* glyph_id_ofs_list;
    uint16_t list_length;
    lv_font_fmt_txt_cmap_type_t type;
} lv_font_fmt_txt_cmap_t;

typedef struct {
    const void* glyph_ids; /* pairs of glyph ids, left then right: uint8_t or uint16_t each */
    const int8_t* values;
    uint32_t pair_cnt : 30;
    uint32_t glyph_ids_size : 2; /* 0: uint8_t ids, 1: uint16_t ids */
} lv_font_fmt_txt_kern_pair_t;

typedef struct {
    const int8_t* class_pair_values;   /* left_class_cnt x right_class_cnt */
    const uint8_t* left_class_mapping; /* by glyph id; 0: no class */
    const uint8_t* right_class_mapping;
    uint8_t left_class_cnt;
    uint8_t right_class_cnt;
} lv_font_fmt_txt_kern_classes_t;

typedef struct {
#ifdef ZEMTRA_TEST_LVGL_DSC_BASE
    struct {
        void* vram_res;
    } base;
#endif
    const uint8_t* glyph_bitmap;
    const lv_font_fmt_txt_glyph_dsc_t* glyph_dsc;
    const lv_font_fmt_txt_cmap_t* cmaps;
    const void* kern_dsc;
    uint16_t kern_scale;
    uint16_t cmap_num : 9;
    uint16_t bpp : 4;
    uint16_t kern_classes : 1;
    uint16_t bitmap_format : 2; /* 0 plain, 1 compressed, 2 compressed without the prefilter */
    uint8_t stride;
} lv_font_fmt_txt_dsc_t;

bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t* font, lv_font_glyph_dsc_t* dsc_out,
                                   uint32_t unicode_letter, uint32_t unicode_letter_next);
const void* lv_font_get_bitmap_fmt_txt(lv_font_glyph_dsc_t* g_dsc, lv_draw_buf_t* draw_buf);

#define LV_FONT_DECLARE(font_name) extern const lv_font_t font_name;

#endif

/* Loads an LVGL binary font file into the text font format's structures, the way LVGL's binary
 * font is documented and its loader (lv_binfont_create) reads it, so that lvgl_reader.c prints
 * it like a compiled font. The file is a sequence of tables, each a little-endian 32-bit length
 * (the whole table) and a four-letter name: "head" (version, table count, size, ascent,
 * descent, ..., the field widths), "cmap" (a count, then per map the offset of its data from
 * the table's start, range start, range length, first glyph id, entry count, type), "loca" (a
 * count, then each glyph record's offset from the start of "glyf", 16 or 32 bits), "glyf" (per
 * glyph a bit stream, most significant bit first: advance, x and y offsets, width and height in
 * the head's widths, then the bitmap up to the next record) and optionally "kern" (type 0:
 * sorted id pairs and values; type 3: class maps and a class table).
 * Build: cc -DLVGL_BIN_READER -DLV_FONT_FMT_TXT_LARGE=1 -I. lvgl_reader.c lvgl_bin_loader.c */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "lvgl.h"

static const unsigned char* file;
static size_t file_size;

static uint32_t u32(size_t at) {
    if (at + 4 > file_size) return 0;
    return (uint32_t)file[at] | (uint32_t)file[at + 1] << 8 | (uint32_t)file[at + 2] << 16 |
           (uint32_t)file[at + 3] << 24;
}
static uint16_t u16(size_t at) {
    if (at + 2 > file_size) return 0;
    return (uint16_t)(file[at] | file[at + 1] << 8);
}
static uint8_t u8(size_t at) {
    return at < file_size ? file[at] : 0;
}

/* The table named `name` at `at`: its length, 0 when it is not there. */
static uint32_t table(size_t at, const char* name) {
    if (at + 8 > file_size || memcmp(file + at + 4, name, 4) != 0) return 0;
    return u32(at);
}

typedef struct {
    size_t at;
    unsigned bit; /* 0..7, from the most significant */
} bits_t;

static uint32_t take(bits_t* b, unsigned n) {
    uint32_t v = 0;
    for (unsigned i = 0; i < n; ++i) {
        v = v << 1 | ((u8(b->at) >> (7 - b->bit)) & 1u);
        if (++b->bit == 8) b->bit = 0, ++b->at;
    }
    return v;
}
static int32_t take_signed(bits_t* b, unsigned n) {
    uint32_t v = take(b, n);
    if (n > 0 && (v & (1u << (n - 1)))) v |= ~0u << n;
    return (int32_t)v;
}

static lv_font_t font;
static lv_font_fmt_txt_dsc_t dsc;

const lv_font_t* lvgl_bin_load(const char* path) {
    FILE* f = fopen(path, "rb");
    if (f == NULL) return NULL;
    fseek(f, 0, SEEK_END);
    file_size = (size_t)ftell(f);
    fseek(f, 0, SEEK_SET);
    unsigned char* bytes = malloc(file_size + 1);
    if (fread(bytes, 1, file_size, f) != file_size) return NULL;
    fclose(f);
    file = bytes;

    const uint32_t head = table(0, "head");
    if (head == 0) return NULL;
    const uint16_t tables = u16(12), ascent = u16(16);
    const int16_t descent = (int16_t)u16(18);
    const uint16_t kern_scale = u16(32);
    const uint8_t loc_format = u8(34), id_format = u8(35), adv_format = u8(36), bpp = u8(37);
    const uint8_t xy_bits = u8(38), wh_bits = u8(39), adv_bits = u8(40), compression = u8(41);
    const uint16_t default_adv = u16(30);
    font.line_height = ascent - descent;
    font.base_line = -descent;
    font.dsc = &dsc;
    dsc.bpp = bpp;
    dsc.bitmap_format = compression;

    const size_t cmap_at = head;
    const uint32_t cmap = table(cmap_at, "cmap");
    if (cmap == 0) return NULL;
    const uint32_t maps = u32(cmap_at + 8);
    lv_font_fmt_txt_cmap_t* cmaps = calloc(maps + 1, sizeof *cmaps);
    for (uint32_t i = 0; i < maps; ++i) {
        const size_t rec = cmap_at + 12 + 16 * (size_t)i;
        const size_t data = cmap_at + u32(rec);
        cmaps[i].range_start = u32(rec + 4);
        cmaps[i].range_length = u16(rec + 8);
        cmaps[i].glyph_id_start = u16(rec + 10);
        const uint16_t entries = u16(rec + 12);
        cmaps[i].type = (lv_font_fmt_txt_cmap_type_t)u8(rec + 14);
        if (cmaps[i].type == LV_FONT_FMT_TXT_CMAP_SPARSE_TINY ||
            cmaps[i].type == LV_FONT_FMT_TXT_CMAP_SPARSE_FULL) {
            uint16_t* list = calloc(entries + 1u, sizeof *list);
            uint16_t* ids = calloc(entries + 1u, sizeof *ids);
            for (unsigned k = 0; k < entries; ++k) {
                list[k] = u16(data + 2 * k);
                ids[k] = u16(data + 2 * (entries + k));
            }
            cmaps[i].unicode_list = list;
            cmaps[i].list_length = entries;
            if (cmaps[i].type == LV_FONT_FMT_TXT_CMAP_SPARSE_FULL) cmaps[i].glyph_id_ofs_list = ids;
        } else if (cmaps[i].type == LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL) {
            uint8_t* ofs = calloc(entries + 1u, 1);
            for (unsigned k = 0; k < entries; ++k) ofs[k] = u8(data + k);
            cmaps[i].glyph_id_ofs_list = ofs;
            cmaps[i].list_length = cmaps[i].range_length;
        }
    }
    dsc.cmaps = cmaps;
    dsc.cmap_num = maps;

    const size_t loca_at = cmap_at + cmap;
    const uint32_t loca = table(loca_at, "loca");
    if (loca == 0) return NULL;
    const uint32_t glyphs = u32(loca_at + 8);
    const size_t glyf_at = loca_at + loca;
    const uint32_t glyf = table(glyf_at, "glyf");
    if (glyf == 0) return NULL;
    uint32_t* offset = calloc(glyphs + 1u, sizeof *offset);
    for (uint32_t i = 0; i < glyphs; ++i) {
        offset[i] =
            loc_format == 0 ? u16(loca_at + 12 + 2 * (size_t)i) : u32(loca_at + 12 + 4 * (size_t)i);
    }
    offset[glyphs] = glyf;
    lv_font_fmt_txt_glyph_dsc_t* g = calloc(glyphs + 1u, sizeof *g);
    unsigned char* bitmap = calloc(file_size + 1, 1);
    size_t used = 0;
    const unsigned header_bits = adv_bits + 2u * xy_bits + 2u * wh_bits;
    for (uint32_t i = 1; i < glyphs; ++i) {
        bits_t b = {glyf_at + offset[i], 0};
        uint32_t adv = adv_bits ? take(&b, adv_bits) : default_adv;
        g[i].adv_w = adv_format == 0 ? adv * 16 : adv;
        g[i].ofs_x = take_signed(&b, xy_bits);
        g[i].ofs_y = take_signed(&b, xy_bits);
        g[i].box_w = take(&b, wh_bits);
        g[i].box_h = take(&b, wh_bits);
        g[i].bitmap_index = (uint32_t)used;
        /* The bitmap's bits follow the header's in the same stream. */
        const size_t bits = 8 * (size_t)(offset[i + 1] - offset[i]) - header_bits;
        for (size_t k = 0; k < bits / 8; ++k) bitmap[used++] = (unsigned char)take(&b, 8);
    }
    dsc.glyph_dsc = g;
    dsc.glyph_bitmap = bitmap;

    if (tables >= 4) {
        const size_t kern_at = glyf_at + glyf;
        if (table(kern_at, "kern") == 0) return NULL;
        dsc.kern_scale = kern_scale;
        const uint8_t type = u8(kern_at + 8);
        if (type == 0) {
            const uint32_t n = u32(kern_at + 12);
            const size_t id_bytes = id_format == 0 ? 1 : 2;
            unsigned char* ids = calloc(2 * n * id_bytes + 1, 1);
            int8_t* values = calloc(n + 1u, 1);
            memcpy(ids, file + kern_at + 16, 2 * n * id_bytes);
            memcpy(values, file + kern_at + 16 + 2 * n * id_bytes, n);
            lv_font_fmt_txt_kern_pair_t* k = calloc(1, sizeof *k);
            k->glyph_ids = ids;
            k->values = values;
            k->pair_cnt = n;
            k->glyph_ids_size = id_format;
            dsc.kern_dsc = k;
        } else if (type == 3) {
            const uint16_t length = u16(kern_at + 12);
            const uint8_t rows = u8(kern_at + 14), columns = u8(kern_at + 15);
            lv_font_fmt_txt_kern_classes_t* k = calloc(1, sizeof *k);
            k->left_class_mapping = file + kern_at + 16;
            k->right_class_mapping = file + kern_at + 16 + length;
            k->class_pair_values = (const int8_t*)(file + kern_at + 16 + 2 * (size_t)length);
            k->left_class_cnt = rows;
            k->right_class_cnt = columns;
            dsc.kern_dsc = k;
            dsc.kern_classes = 1;
        } else {
            return NULL;
        }
    }
    return &font;
}

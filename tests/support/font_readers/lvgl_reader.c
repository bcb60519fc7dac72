/* Reads an exported LVGL font the way LVGL's text font format is documented, independently of
 * the writer, and prints every glyph it maps:
 *   font LINE_HEIGHT BASE_LINE BPP BITMAP_FORMAT CMAPS
 *   U+XXXX ADV_W BOX_W BOX_H OFS_X OFS_Y      then BOX_H lines of BOX_W levels in hexadecimal
 * Character maps: the first map whose range holds a code decides (format 0 tiny: the glyph id
 * start plus the offset; sparse: the position of the offset in the list). Plain bitmaps: the
 * levels of a glyph as one stream of BPP-bit values, most significant bit first, from its
 * bitmap index. Compressed bitmaps: the run-length code described with the format (a literal
 * equal to the one before opens a run of 1 bits, the 11th followed by a 6-bit count), then each
 * row XORed with the row above. Then each kerned pair of mapped glyphs:
 *   kern U+LEFT U+RIGHT SIXTEENTHS
 * the stored value times kern_scale, shifted right by 4, as LVGL adds it to the advance: from
 * the pair list (ids left then right, 8 or 16 bits each) or from the classes (a left and a
 * right class other than 0 pick a value of the class table).
 * Build: cc -DFONT=name -I. font.c lvgl_reader.c; for a binary font file, with
 * lvgl_bin_loader.c instead of the font (see there), the file's path as the argument. */
#include <stdio.h>
#include <stdlib.h>

#include "lvgl.h"

#ifdef LVGL_BIN_READER
/* lvgl_bin_loader.c: the font of a binary file, or NULL. */
const lv_font_t* lvgl_bin_load(const char* path);
#else
extern const lv_font_t FONT;
#endif

/* The generated font points at LVGL's own functions; the reader walks the tables itself. */
bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t* font, lv_font_glyph_dsc_t* dsc_out,
                                   uint32_t unicode_letter, uint32_t unicode_letter_next) {
    (void)font;
    (void)dsc_out;
    (void)unicode_letter;
    (void)unicode_letter_next;
    return false;
}
const void* lv_font_get_bitmap_fmt_txt(lv_font_glyph_dsc_t* g_dsc, lv_draw_buf_t* draw_buf) {
    (void)g_dsc;
    (void)draw_buf;
    return NULL;
}

static uint32_t glyph_id(const lv_font_fmt_txt_dsc_t* d, uint32_t code) {
    for (unsigned i = 0; i < d->cmap_num; ++i) {
        const lv_font_fmt_txt_cmap_t* m = &d->cmaps[i];
        const uint32_t rcp = code - m->range_start;
        if (code < m->range_start || rcp >= m->range_length) continue;
        switch (m->type) {
            case LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY:
                return m->glyph_id_start + rcp;
            case LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL: {
                const uint8_t* ofs = m->glyph_id_ofs_list;
                if (ofs[rcp] == 0 && rcp != 0) return 0;
                return m->glyph_id_start + ofs[rcp];
            }
            case LV_FONT_FMT_TXT_CMAP_SPARSE_TINY:
            case LV_FONT_FMT_TXT_CMAP_SPARSE_FULL:
                for (unsigned k = 0; k < m->list_length; ++k) {
                    if (m->unicode_list[k] != rcp) continue;
                    if (m->type == LV_FONT_FMT_TXT_CMAP_SPARSE_TINY) return m->glyph_id_start + k;
                    return m->glyph_id_start + ((const uint16_t*)m->glyph_id_ofs_list)[k];
                }
                return 0;
        }
        return 0;
    }
    return 0;
}

typedef struct {
    const uint8_t* in;
    uint32_t at; /* bit position */
} bits_t;

static unsigned take(bits_t* b, unsigned n) {
    unsigned v = 0;
    for (unsigned i = 0; i < n; ++i, ++b->at) {
        v = (v << 1) | ((b->in[b->at >> 3] >> (7 - (b->at & 7))) & 1u);
    }
    return v;
}

enum { LITERAL, REPEAT, COUNTED };
typedef struct {
    bits_t bits;
    unsigned bpp, state, ones, left, first;
    unsigned previous;
} runs_t;

static unsigned literal(runs_t* r) {
    r->previous = take(&r->bits, r->bpp);
    r->state = LITERAL;
    return r->previous;
}

static unsigned next_level(runs_t* r) {
    if (r->state == LITERAL) {
        const unsigned v = take(&r->bits, r->bpp);
        if (!r->first && v == r->previous) {
            r->state = REPEAT;
            r->ones = 0;
        }
        r->first = 0;
        r->previous = v;
        return v;
    }
    if (r->state == REPEAT) {
        if (take(&r->bits, 1) == 0) return literal(r);
        if (++r->ones < 11) return r->previous;
        r->left = take(&r->bits, 6);
        if (r->left == 0) return literal(r);
        r->state = COUNTED;
        return r->previous;
    }
    if (--r->left == 0) return literal(r);
    return r->previous;
}

static void decode(const lv_font_fmt_txt_dsc_t* d, const lv_font_fmt_txt_glyph_dsc_t* g,
                   unsigned char* levels) {
    const unsigned w = g->box_w, h = g->box_h, n = w * h;
    if (d->bitmap_format == 0) {
        bits_t b = {d->glyph_bitmap + g->bitmap_index, 0};
        for (unsigned i = 0; i < n; ++i) levels[i] = (unsigned char)take(&b, d->bpp);
        return;
    }
    runs_t r = {{d->glyph_bitmap + g->bitmap_index, 0}, d->bpp, LITERAL, 0, 0, 1, 0};
    for (unsigned i = 0; i < n; ++i) levels[i] = (unsigned char)next_level(&r);
    if (d->bitmap_format == 1) {
        for (unsigned i = w; i < n; ++i) levels[i] ^= levels[i - w];
    }
}

static int kern_value(const lv_font_fmt_txt_dsc_t* d, uint32_t left, uint32_t right, int* value) {
    if (d->kern_classes) {
        const lv_font_fmt_txt_kern_classes_t* k = d->kern_dsc;
        const unsigned lc = k->left_class_mapping[left], rc = k->right_class_mapping[right];
        if (lc == 0 || rc == 0) return 0;
        *value = k->class_pair_values[(lc - 1) * k->right_class_cnt + (rc - 1)];
        return 1;
    }
    const lv_font_fmt_txt_kern_pair_t* k = d->kern_dsc;
    for (uint32_t i = 0; i < k->pair_cnt; ++i) {
        uint32_t l, r;
        if (k->glyph_ids_size == 0) {
            l = ((const uint8_t*)k->glyph_ids)[2 * i];
            r = ((const uint8_t*)k->glyph_ids)[2 * i + 1];
        } else {
            l = ((const uint16_t*)k->glyph_ids)[2 * i];
            r = ((const uint16_t*)k->glyph_ids)[2 * i + 1];
        }
        if (l == left && r == right) {
            *value = k->values[i];
            return 1;
        }
    }
    return 0;
}

int main(int argc, char** argv) {
#ifdef LVGL_BIN_READER
    const lv_font_t* font = argc > 1 ? lvgl_bin_load(argv[1]) : NULL;
    if (font == NULL) {
        fprintf(stderr, "cannot load the binary font\n");
        return 1;
    }
#else
    (void)argc;
    (void)argv;
    const lv_font_t* font = &FONT;
#endif
    const lv_font_fmt_txt_dsc_t* d = font->dsc;
    static uint32_t code_of[0x10000];
    uint32_t ids = 0;
    printf("font %d %d %u %u %u\n", (int)font->line_height, (int)font->base_line, (unsigned)d->bpp,
           (unsigned)d->bitmap_format, (unsigned)d->cmap_num);
    for (uint32_t code = 1; code <= 0x10FFFF; ++code) {
        const uint32_t id = glyph_id(d, code);
        if (id == 0) continue;
        const lv_font_fmt_txt_glyph_dsc_t* g = &d->glyph_dsc[id];
        if (id < 0x10000) code_of[id] = code;
        if (id > ids) ids = id;
        printf("U+%04X %u %u %u %d %d\n", (unsigned)code, (unsigned)g->adv_w, (unsigned)g->box_w,
               (unsigned)g->box_h, (int)g->ofs_x, (int)g->ofs_y);
        unsigned char* levels = malloc((size_t)g->box_w * g->box_h + 1);
        decode(d, g, levels);
        for (unsigned y = 0; y < g->box_h; ++y) {
            for (unsigned x = 0; x < g->box_w; ++x) printf("%02x", levels[y * g->box_w + x]);
            printf("\n");
        }
        free(levels);
    }
    if (d->kern_dsc == NULL) return 0;
    for (uint32_t left = 1; left <= ids && left < 0x10000; ++left) {
        for (uint32_t right = 1; right <= ids && right < 0x10000; ++right) {
            int value = 0;
            if (code_of[left] == 0 || code_of[right] == 0) continue;
            if (!kern_value(d, left, right, &value) || value == 0) continue;
            printf("kern U+%04X U+%04X %d\n", (unsigned)code_of[left], (unsigned)code_of[right],
                   (int)((value * (int32_t)d->kern_scale) >> 4));
        }
    }
    return 0;
}

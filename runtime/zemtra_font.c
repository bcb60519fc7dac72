/* Reading Zemtra's font libraries on a device. MIT License, Copyright (c) 2026 the Zemtra
 * authors. */
#include "zemtra_font.h"

#include <string.h>

/* Where scan index i of a line-major walk lies: `along` inside the line, `across` the line. */
typedef struct {
    uint32_t along, across, word, bit;
} zf_place;

static uint32_t words_for(uint32_t n, uint32_t d) {
    return (n + d - 1u) / d;
}

/* Row order (Column with the axes exchanged): lines of `length` dots, d dots a word. */
static zf_place map_lines(uint32_t i, uint32_t length, uint32_t d, int backward) {
    zf_place p;
    const uint32_t r = i % length;
    p.across = i / length;
    if (!backward) {
        p.along = r;
    } else {
        /* Each word's dots run from bit 0 up; a short last word holds only what is left. */
        const uint32_t g = r / d;
        const uint32_t n = (g + 1u) * d > length ? length % d : d;
        p.along = g * d + (n - 1u - r % d);
    }
    p.word = p.across * words_for(length, d) + p.along / d;
    p.bit = backward ? p.along % d : d - 1u - p.along % d;
    return p;
}

/* Row/Column order (Column/Row with the axes exchanged): bands d dots wide along `band_axis`,
 * each sent line by line, one word a line. */
static zf_place map_bands(uint32_t i, uint32_t band_axis, uint32_t lines, uint32_t d,
                          int backward) {
    zf_place p;
    const uint32_t per_band = lines * d;
    const uint32_t g = band_axis <= d ? 0u : i / per_band;
    const uint32_t local = band_axis <= d ? i : i % per_band;
    const uint32_t w = band_axis <= d ? band_axis : (g + 1u) * d > band_axis ? band_axis % d : d;
    p.across = local / w;
    if (!backward) {
        p.along = local % w;
        p.bit = d - 1u - p.along;
    } else {
        p.along = w - 1u - local % w;
        p.bit = p.along;
    }
    p.word = p.across + g * lines;
    p.along += g * d;
    return p;
}

/* The dot (x, y), word and bit of scan index i. */
static zf_place map_index(const zf_library_info* info, uint32_t i, uint32_t* x, uint32_t* y) {
    const uint32_t w = info->width, h = info->height, d = info->word_bits;
    const int backward = info->backward != 0;
    zf_place p;
    switch (info->orientation) {
        case ZF_COLUMN:
            p = map_lines(i, h, d, backward);
            *x = p.across;
            *y = p.along;
            break;
        case ZF_ROW_COLUMN:
            p = map_bands(i, w, h, d, backward);
            *x = p.along;
            *y = p.across;
            break;
        case ZF_COLUMN_ROW:
            p = map_bands(i, h, w, d, backward);
            *x = p.across;
            *y = p.along;
            break;
        default:
            p = map_lines(i, w, d, backward);
            *x = p.along;
            *y = p.across;
            break;
    }
    return p;
}

/* A description the library job writes: a matrix, a known scan mode, and a record size that is
 * the scan mode's word count. */
static int info_valid(const zf_library_info* info) {
    uint32_t x, y;
    if (info == NULL || info->width == 0 || info->height == 0 || info->orientation > 3 ||
        (info->word_bits != 8 && info->word_bits != 4) || info->code_page > ZF_BIG5) {
        return 0;
    }
    return map_index(info, (uint32_t)info->width * info->height - 1u, &x, &y).word + 1u ==
           info->record_size;
}

/* GBK and BIG5 place a code by its slot; trail bytes outside the slot ranges follow the same
 * formula, as the library job writes them. */
static int32_t slot_of(uint8_t code_page, int32_t hi, int32_t lo) {
    if (code_page == ZF_GBK) return (hi - 0x81) * 190 + (lo <= 0x7E ? lo - 0x40 : lo - 0x41);
    return (hi - 0xA1) * 157 + (lo <= 0x7E ? lo - 0x40 : lo - 0x62);
}

static int has_slot(uint8_t code_page, uint32_t lo) {
    if (code_page == ZF_GBK) return lo != 0x7Fu;
    return lo < 0x7Fu || lo > 0xA0u;
}

int zf_record_offset(const zf_library_info* info, uint32_t code, uint32_t* offset) {
    if (!info_valid(info) || offset == NULL) return ZF_ERR_INFO;
    if (code > 0xFFFFu) return ZF_ERR_CODE;
    const uint32_t hi = code >> 8, lo = code & 0xFFu;
    const uint32_t first_hi = info->first_code >> 8u, first_lo = info->first_code & 0xFFu;
    const uint32_t last_hi = info->last_code >> 8u, last_lo = info->last_code & 0xFFu;
    /* The library walks a rectangle: lead bytes From..To, and for each, trail bytes From..To. */
    if (hi < first_hi || hi > last_hi || lo < first_lo || lo > last_lo) return ZF_ERR_CODE;
    int64_t record;
    if (info->code_page == ZF_GBK || info->code_page == ZF_BIG5) {
        if (!has_slot(info->code_page, lo)) return ZF_ERR_CODE;
        /* The first record is the slot of From, or of the next trail byte that has one. */
        uint32_t base_lo = first_lo;
        while (base_lo < 0xFFu && !has_slot(info->code_page, base_lo)) ++base_lo;
        record = (int64_t)slot_of(info->code_page, (int32_t)hi, (int32_t)lo) -
                 slot_of(info->code_page, (int32_t)first_hi, (int32_t)base_lo);
        if (record < 0) return ZF_ERR_CODE;
    } else {
        record = (int64_t)(hi - first_hi) * (last_lo - first_lo + 1u) + (lo - first_lo);
    }
    const uint64_t at = (uint64_t)record * info->record_size;
    if (at > 0xFFFFFFFFu - info->record_size) return ZF_ERR_INFO;
    *offset = (uint32_t)at;
    return ZF_OK;
}

int zf_glyph_dots(const zf_library_info* info, zf_read_fn read, void* ctx, uint32_t code,
                  uint8_t* dots, uint32_t dots_size) {
    uint32_t offset;
    const int found = zf_record_offset(info, code, &offset);
    if (found != ZF_OK) return found;
    if (read == NULL || dots == NULL) return ZF_ERR_BUFFER;
    const uint32_t row = ZF_ROW_BYTES(info), rows = row * info->height;
    if (dots_size < rows || dots_size - rows < info->record_size) return ZF_ERR_BUFFER;
    /* The record goes after the rows, so unpacking never overwrites what it reads. */
    uint8_t* record = dots + rows;
    if (read(ctx, offset, record, info->record_size) != 0) return ZF_ERR_READ;
    memset(dots, 0, rows);
    const uint32_t count = (uint32_t)info->width * info->height;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t x, y;
        const zf_place p = map_index(info, i, &x, &y);
        const unsigned bit = (record[p.word] >> p.bit) & 1u;
        if (bit != (info->anode ? 1u : 0u)) dots[y * row + x / 8u] |= (uint8_t)(0x80u >> (x % 8u));
    }
    return ZF_OK;
}

uint32_t zf_next_utf8(const char** text) {
    const unsigned char* s = (const unsigned char*)*text;
    if (s == NULL || s[0] == 0) return 0;
    const unsigned b = s[0];
    unsigned extra;
    uint32_t c, lowest;
    if (b < 0x80u) {
        *text += 1;
        return b;
    } else if (b >= 0xC2u && b <= 0xDFu) {
        extra = 1, c = b & 0x1Fu, lowest = 0x80u;
    } else if (b >= 0xE0u && b <= 0xEFu) {
        extra = 2, c = b & 0x0Fu, lowest = 0x800u;
    } else if (b >= 0xF0u && b <= 0xF4u) {
        extra = 3, c = b & 0x07u, lowest = 0x10000u;
    } else {
        *text += 1;
        return 0xFFFDu;
    }
    for (unsigned i = 1; i <= extra; ++i) {
        /* A byte that does not continue the character (the end included) ends it, unread. */
        if ((s[i] & 0xC0u) != 0x80u) {
            *text += i;
            return 0xFFFDu;
        }
        c = (c << 6) | (s[i] & 0x3Fu);
    }
    *text += extra + 1u;
    if (c < lowest || c > 0x10FFFFu || (c >= 0xD800u && c <= 0xDFFFu)) return 0xFFFDu;
    return c;
}

int zf_code_of(const zf_library_info* info, uint32_t character, const zf_unicode_map* map,
               uint32_t* code) {
    uint32_t offset;
    if (!info_valid(info) || code == NULL) return ZF_ERR_INFO;
    if (character > 0xFFFFu) return ZF_ERR_CODE;
    if (info->code_page != ZF_UNICODE) {
        if (map == NULL || (map->entries == NULL && map->count != 0)) return ZF_ERR_INFO;
        uint32_t low = 0, high = map->count;
        while (low < high) {
            const uint32_t mid = low + (high - low) / 2u;
            if (map->entries[mid].character < character) {
                low = mid + 1u;
            } else {
                high = mid;
            }
        }
        if (low == map->count || map->entries[low].character != character) return ZF_ERR_CODE;
        character = map->entries[low].code;
    }
    const int found = zf_record_offset(info, character, &offset);
    if (found == ZF_OK) *code = character;
    return found;
}

int zf_draw_glyph(const zf_library_info* info, zf_read_fn read, void* ctx, uint32_t code, int x,
                  int y, zf_pixel_fn pixel, void* pixel_ctx, uint8_t* buffer,
                  uint32_t buffer_size) {
    if (pixel == NULL) return ZF_ERR_BUFFER;
    const int got = zf_glyph_dots(info, read, ctx, code, buffer, buffer_size);
    if (got != ZF_OK) return got;
    const uint32_t row = ZF_ROW_BYTES(info);
    for (uint32_t j = 0; j < info->height; ++j) {
        for (uint32_t k = 0; k < info->width; ++k) {
            if (buffer[j * row + k / 8u] & (0x80u >> (k % 8u))) {
                pixel(pixel_ctx, x + (int)k, y + (int)j);
            }
        }
    }
    return ZF_OK;
}

int zf_draw_text(const zf_library_info* info, zf_read_fn read, void* ctx, const zf_unicode_map* map,
                 const char* text, int x, int y, zf_pixel_fn pixel, void* pixel_ctx,
                 uint8_t* buffer, uint32_t buffer_size) {
    if (!info_valid(info)) return ZF_ERR_INFO;
    if (pixel == NULL || text == NULL) return ZF_ERR_BUFFER;
    for (uint32_t c = zf_next_utf8(&text); c != 0; c = zf_next_utf8(&text), x += info->width) {
        uint32_t code;
        int got = zf_code_of(info, c, map, &code);
        if (got == ZF_OK)
            got = zf_draw_glyph(info, read, ctx, code, x, y, pixel, pixel_ctx, buffer, buffer_size);
        if (got != ZF_OK && got != ZF_ERR_CODE) return got;
    }
    return ZF_OK;
}

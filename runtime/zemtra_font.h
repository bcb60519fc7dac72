/* Reading Zemtra's font libraries (.dzk) on a device: one record per code, read through a
 * callback from wherever the library lies (memory-mapped flash, SPI flash, a file), unpacked into
 * plain rows of dots whatever the scan mode and polarity the library was made with.
 *
 * C99, freestanding: no allocation, no stdio; <stdint.h>, <stddef.h> and <string.h> only.
 * MIT License, Copyright (c) 2026 the Zemtra authors. */
#ifndef ZEMTRA_FONT_H
#define ZEMTRA_FONT_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Reads length bytes at offset of the library into buffer; 0 on success. */
typedef int (*zf_read_fn)(void* ctx, uint32_t offset, void* buffer, uint32_t length);

enum zf_code_page { ZF_UNICODE = 0, ZF_MBCS = 1, ZF_GB2312 = 2, ZF_GBK = 3, ZF_BIG5 = 4 };
enum zf_orientation { ZF_ROW = 0, ZF_COLUMN = 1, ZF_ROW_COLUMN = 2, ZF_COLUMN_ROW = 3 };

/* What the library job made: `zemtra-cli library ... --header FILE` writes it. */
typedef struct {
    uint16_t width;       /* W dots */
    uint16_t height;      /* H dots */
    uint32_t record_size; /* bytes of one code's record */
    uint8_t code_page;    /* enum zf_code_page */
    uint16_t first_code;  /* From */
    uint16_t last_code;   /* To */
    uint8_t orientation;  /* enum zf_orientation */
    uint8_t backward;     /* 0: a word's first dot is its most significant bit; 1: bit 0 */
    uint8_t anode;        /* 0: a lit dot is 1; 1: a lit dot is 0 */
    uint8_t word_bits;    /* dots a word: 8, or 4 for the 4-bit data width */
} zf_library_info;

enum {
    ZF_OK = 0,
    ZF_ERR_CODE = -1,   /* the code has no record in the library */
    ZF_ERR_BUFFER = -2, /* the buffer is smaller than ZF_DOTS_BUFFER(info) */
    ZF_ERR_READ = -3,   /* the read callback failed */
    ZF_ERR_INFO = -4    /* the library description is not one the library job writes */
};

/* Bytes of one row of unpacked dots, and of a buffer zf_glyph_dots takes: the rows and, after
 * them, room for the record it reads. */
#define ZF_ROW_BYTES(info) (((uint32_t)(info)->width + 7u) / 8u)
#define ZF_DOTS_BUFFER(info) (ZF_ROW_BYTES(info) * (info)->height + (info)->record_size)

/* One character of a code-page library and its code. */
typedef struct {
    uint16_t character; /* a Unicode character of the Basic Multilingual Plane */
    uint16_t code;
} zf_map_entry;

/* The characters of a code-page library (GB2312, GBK, BIG5, ANSI), sorted by character, each
 * once: `zemtra-cli library ... --header FILE --unicode-map` writes it. */
typedef struct {
    const zf_map_entry* entries;
    uint32_t count;
} zf_unicode_map;

/* Where the record of code lies in the library, in bytes. */
int zf_record_offset(const zf_library_info* info, uint32_t code, uint32_t* offset);

/* The record of code (the code page's code as the library job numbers them; in a Unicode
 * library the character) read with one call of read and unpacked into rows top to bottom, one
 * bit a dot, the most significant bit leftmost, each row padded to whole bytes, 1 = lit. */
int zf_glyph_dots(const zf_library_info* info, zf_read_fn read, void* ctx, uint32_t code,
                  uint8_t* dots, uint32_t dots_size);

/* The next character of a UTF-8 text, advancing *text; U+FFFD for bytes that are no character,
 * 0 at the end. */
uint32_t zf_next_utf8(const char** text);

/* The code of character in the library: in a Unicode library the character itself (map may be
 * NULL), in a code-page library the code map gives it. ZF_ERR_CODE when the library has no
 * record for it. */
int zf_code_of(const zf_library_info* info, uint32_t character, const zf_unicode_map* map,
               uint32_t* code);

/* Called for every lit dot that is drawn. */
typedef void (*zf_pixel_fn)(void* pixel_ctx, int x, int y);

/* Draws the glyph of code with its top-left dot at (x, y). The buffer is as for zf_glyph_dots. */
int zf_draw_glyph(const zf_library_info* info, zf_read_fn read, void* ctx, uint32_t code, int x,
                  int y, zf_pixel_fn pixel, void* pixel_ctx, uint8_t* buffer, uint32_t buffer_size);

/* Draws a UTF-8 text, its top-left dot at (x, y), W dots a character: each character's code is
 * found with zf_code_of (map as there). A character without a record is skipped, its place left
 * empty. */
int zf_draw_text(const zf_library_info* info, zf_read_fn read, void* ctx, const zf_unicode_map* map,
                 const char* text, int x, int y, zf_pixel_fn pixel, void* pixel_ctx,
                 uint8_t* buffer, uint32_t buffer_size);

#ifdef __cplusplus
}
#endif

#endif

/* Draws "你好, Zemtra" from two font libraries in the firmware's flash into a frame buffer and
 * prints the frame buffer: the characters a GB2312 library holds come from it (found through its
 * Unicode map), the rest from a Unicode library. Output and exit go through semihosting, so it
 * runs on QEMU's mps2-an385 board as it would on any Cortex-M with a debugger attached.
 * MIT License, Copyright (c) 2026 the Zemtra authors. */
#include <stdint.h>
#include <string.h>

#include "zemtra_font.h"
/* Written by zemtra-cli library ... --header (see the Makefile). */
#include "hz16.h"
#include "uni16.h"

/* The .dzk files themselves, placed in flash by libraries.S. */
extern const uint8_t hz16_dzk[], uni16_dzk[];

#define TEXT "\xE4\xBD\xA0\xE5\xA5\xBD, Zemtra" /* 你好, Zemtra */
#define COLUMNS 10
#define FB_WIDTH (16 * COLUMNS)
#define FB_HEIGHT 16

static uint8_t frame[FB_HEIGHT][FB_WIDTH / 8];
static uint8_t glyph_buffer[2 * 16 + 32]; /* ZF_DOTS_BUFFER of a 16 x 16 library */
static unsigned reads;

/* Memory-mapped flash: a read is a copy. With SPI flash this sends a read command instead. */
static int read_flash(void* ctx, uint32_t offset, void* buffer, uint32_t length) {
    ++reads;
    memcpy(buffer, (const uint8_t*)ctx + offset, length);
    return 0;
}

static void set_dot(void* ctx, int x, int y) {
    (void)ctx;
    if (x >= 0 && x < FB_WIDTH && y >= 0 && y < FB_HEIGHT) {
        frame[y][x / 8] |= (uint8_t)(0x80u >> (x % 8));
    }
}

/* Semihosting: r0 the operation, r1 its argument. */
static int semihost(int op, const void* arg) {
    register int r0 __asm__("r0") = op;
    register const void* r1 __asm__("r1") = arg;
    __asm__ volatile("bkpt 0xAB" : "+r"(r0) : "r"(r1) : "memory");
    return r0;
}

static void print(const char* text) {
    semihost(0x04, text); /* SYS_WRITE0 */
}

static void stop(int failed) {
    /* SYS_EXIT with ADP_Stopped_ApplicationExit, or ADP_Stopped_RunTimeErrorUnknown. */
    semihost(0x18, (const void*)(failed ? 0x20023 : 0x20026));
    for (;;) {
    }
}

int main(void) {
    const char* text = TEXT;
    int x = 0, failed = 0;
    for (uint32_t c = zf_next_utf8(&text); c != 0; c = zf_next_utf8(&text), x += 16) {
        const zf_library_info* info = &hz16_info;
        const uint8_t* library = hz16_dzk;
        uint32_t code;
        if (zf_code_of(info, c, &hz16_unicode_map, &code) != ZF_OK) {
            info = &uni16_info;
            library = uni16_dzk;
            if (zf_code_of(info, c, NULL, &code) != ZF_OK) continue; /* in neither: a gap */
        }
        if (zf_draw_glyph(info, read_flash, (void*)library, code, x, 0, set_dot, NULL, glyph_buffer,
                          sizeof glyph_buffer) != ZF_OK) {
            failed = 1;
        }
    }
    char line[FB_WIDTH + 2];
    for (int y = 0; y < FB_HEIGHT; ++y) {
        for (int i = 0; i < FB_WIDTH; ++i)
            line[i] = frame[y][i / 8] & (0x80u >> (i % 8)) ? '#' : '.';
        line[FB_WIDTH] = '\n';
        line[FB_WIDTH + 1] = 0;
        print(line);
    }
    /* One read a glyph: "reads 10". */
    char count[] = "reads 000\n";
    count[6] = (char)('0' + reads / 100 % 10);
    count[7] = (char)('0' + reads / 10 % 10);
    count[8] = (char)('0' + reads % 10);
    print(count);
    stop(failed);
    return 0;
}

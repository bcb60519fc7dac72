/* Prints glyphs of a font library through runtime/zemtra_font.c, as a firmware would read them:
 * the library file loaded into memory (the "flash"), read through the callback; for each code
 * given (hexadecimal arguments after the file) H lines of W characters, '#' lit, '.' unlit, or
 * "error N". "t" before a code gives a buffer one byte short, "r" a read that fails; "=TEXT"
 * draws the UTF-8 TEXT with zf_draw_text into W dots a character; "uHEX" prints the code of the
 * character HEX ("code XXXX") as zf_code_of finds it. Build: cc -std=c99 -DHEADER='"lib.h"'
 * -DINFO=name_info [-DMAP=name_unicode_map] -I runtime zf_dump.c runtime/zemtra_font.c */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include HEADER

#ifdef MAP
static const zf_unicode_map* const map = &MAP;
#else
static const zf_unicode_map* const map = NULL;
#endif

static unsigned char* flash;
static long flash_size;

static int read_flash(void* ctx, uint32_t offset, void* buffer, uint32_t length) {
    if (ctx != NULL) return -1; /* the failing read */
    if ((long)offset + (long)length > flash_size) return -1;
    memcpy(buffer, flash + offset, length);
    return 0;
}

static void put_dot(void* ctx, int x, int y) {
    char(*canvas)[1024] = ctx;
    if (x >= 0 && x < 1024 && y >= 0 && y < 64) canvas[y][x] = '#';
}

int main(int argc, char** argv) {
    FILE* f = fopen(argv[1], "rb");
    if (f == NULL) return 1;
    fseek(f, 0, SEEK_END);
    flash_size = ftell(f);
    fseek(f, 0, SEEK_SET);
    flash = malloc((size_t)flash_size + 1);
    if (fread(flash, 1, (size_t)flash_size, f) != (size_t)flash_size) return 1;
    fclose(f);
    const zf_library_info* info = &INFO;
    const uint32_t size = ZF_DOTS_BUFFER(info);
    uint8_t* dots = malloc(size);
    static char canvas[64][1024];
    for (int a = 2; a < argc; ++a) {
        const char* arg = argv[a];
        if (arg[0] == '=') {
            memset(canvas, '.', sizeof canvas);
            const int got = zf_draw_text(info, read_flash, NULL, map, arg + 1, 0, 0, put_dot,
                                         canvas, dots, size);
            const uint32_t width = info->width * (uint32_t)strlen(arg + 1);
            for (uint32_t y = 0; got == ZF_OK && y < info->height && y < 64; ++y) {
                printf("%.*s\n", (int)(width < 1024 ? width : 1024), canvas[y]);
            }
            if (got != ZF_OK) printf("error %d\n", got);
            continue;
        }
        if (arg[0] == 'u') {
            uint32_t code = 0;
            const int got = zf_code_of(info, (uint32_t)strtoul(arg + 1, NULL, 16), map, &code);
            if (got == ZF_OK) {
                printf("code %04X\n", (unsigned)code);
            } else {
                printf("error %d\n", got);
            }
            continue;
        }
        const int tiny = arg[0] == 't', fail = arg[0] == 'r';
        const uint32_t code = (uint32_t)strtoul(arg + (tiny || fail), NULL, 16);
        const int got = zf_glyph_dots(info, read_flash, fail ? (void*)1 : NULL, code, dots,
                                      tiny ? size - 1 : size);
        if (got != ZF_OK) {
            printf("error %d\n", got);
            continue;
        }
        for (uint32_t y = 0; y < info->height; ++y) {
            for (uint32_t x = 0; x < info->width; ++x) {
                putchar(dots[y * ZF_ROW_BYTES(info) + x / 8] & (0x80 >> (x % 8)) ? '#' : '.');
            }
            putchar('\n');
        }
    }
    free(dots);
    free(flash);
    return 0;
}

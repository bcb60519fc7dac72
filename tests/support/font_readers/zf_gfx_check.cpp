// Runs runtime/glue/zf_adafruit_gfx.h against the tests' stand-in Adafruit_GFX.h: the text of
// argv[2] drawn through drawPixel in colour 1, printed as H lines of 3 W characters ('#' lit).
// The library is argv[1], its header HEADER with INFO (and MAP).
#include <cstdio>
#include <cstring>

#include HEADER
#include "zf_adafruit_gfx.h"

static char canvas[64][256];
static FILE* library;

void Adafruit_GFX::drawPixel(int16_t x, int16_t y, uint16_t color) {
    if (x >= 0 && x < 256 && y >= 0 && y < 64) canvas[y][x] = color == 1 ? '#' : '?';
}

static int read_file(void*, uint32_t offset, void* buffer, uint32_t length) {
    if (std::fseek(library, static_cast<long>(offset), SEEK_SET) != 0) return -1;
    return std::fread(buffer, 1, length, library) == length ? 0 : -1;
}

int main(int argc, char** argv) {
    static uint8_t buffer[4096];
#ifdef MAP
    const zf_unicode_map* map = &MAP;
#else
    const zf_unicode_map* map = nullptr;
#endif
    if (argc < 3 || (library = std::fopen(argv[1], "rb")) == nullptr) return 1;
    std::memset(canvas, '.', sizeof canvas);
    Adafruit_GFX gfx;
    const int got = zf_gfx_draw_text(gfx, 1, &INFO, read_file, nullptr, map, argv[2], 0, 0, buffer,
                                     ZF_DOTS_BUFFER(&INFO));
    if (got != ZF_OK) std::printf("error %d\n", got);
    for (int y = 0; got == ZF_OK && y < INFO.height; ++y) {
        std::printf("%.*s\n", INFO.width * 3, canvas[y]);
    }
    std::fclose(library);
    return 0;
}

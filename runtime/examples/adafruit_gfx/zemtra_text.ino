// An SSD1306 display showing "你好," and "Zemtra" below it from two font libraries in the
// board's flash: the Chinese from a GB2312 library (found through its Unicode map), the rest
// from an ASCII one.
//
//   zemtra-cli library --codepage gb2312 --from B0A1 --to C4FE --matrix 16x16 \
//     -o hz16.dzk --header hz16.h --unicode-map
//   zemtra-cli library --codepage unicode --from 0020 --to 007E --matrix 16x16 \
//     -o ascii16.dzk --header ascii16.h
//
// Copy the .dzk files to the board's flash (here: LittleFS) and the headers, zemtra_font.h,
// zemtra_font.c and zf_adafruit_gfx.h next to this sketch.
// MIT License, Copyright (c) 2026 the Zemtra authors.
#include <Adafruit_SSD1306.h>
#include <LittleFS.h>

#include "ascii16.h"
#include "hz16.h"
#include "zf_adafruit_gfx.h"

Adafruit_SSD1306 display(128, 64, &Wire, -1);
File hz, ascii;
uint8_t glyphBuffer[2 * 16 + 32];  // ZF_DOTS_BUFFER of a 16 x 16 library

int readFile(void* ctx, uint32_t offset, void* buffer, uint32_t length) {
    File* f = static_cast<File*>(ctx);
    if (!f->seek(offset)) return -1;
    return f->read(static_cast<uint8_t*>(buffer), length) == length ? 0 : -1;
}

void setup() {
    display.begin(SSD1306_SWITCHCAPVCC, 0x3C);
    LittleFS.begin();
    hz = LittleFS.open("/hz16.dzk", "r");
    ascii = LittleFS.open("/ascii16.dzk", "r");
    display.clearDisplay();
    const char* text = "\xE4\xBD\xA0\xE5\xA5\xBD,";  // 你好,
    // A library leaves the characters it lacks empty, so the two drawings fit into each other.
    zf_gfx_draw_text(display, SSD1306_WHITE, &hz16_info, readFile, &hz, &hz16_unicode_map, text,
                     0, 0, glyphBuffer, sizeof glyphBuffer);
    zf_gfx_draw_text(display, SSD1306_WHITE, &ascii16_info, readFile, &ascii, nullptr, text, 0, 0,
                     glyphBuffer, sizeof glyphBuffer);
    zf_gfx_draw_text(display, SSD1306_WHITE, &ascii16_info, readFile, &ascii, nullptr, "Zemtra", 0,
                     16, glyphBuffer, sizeof glyphBuffer);
    display.display();
}

void loop() {}

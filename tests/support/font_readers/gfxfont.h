/* A stand-in for the Adafruit GFX library's gfxfont.h in the tests: its two structures as the
 * library declares them (first and last are 16-bit in current versions). */
#ifndef ZEMTRA_TEST_GFXFONT_H
#define ZEMTRA_TEST_GFXFONT_H

#include <stdint.h>

typedef struct {
    uint16_t bitmapOffset; /* into GFXfont.bitmap */
    uint8_t width;
    uint8_t height;
    uint8_t xAdvance;
    int8_t xOffset; /* from the pen to the box's left edge */
    int8_t yOffset; /* from the pen on the baseline to the box's top edge */
} GFXglyph;

typedef struct {
    uint8_t* bitmap;
    GFXglyph* glyph;
    uint16_t first;
    uint16_t last;
    uint8_t yAdvance;
} GFXfont;

#endif

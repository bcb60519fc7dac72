/* The two structures of the Adafruit GFX library's gfxfont.h, which an exported GFX font needs,
 * for a program without the library; an Arduino sketch includes Adafruit_GFX.h instead. */
#ifndef HELLO_GFXFONT_H
#define HELLO_GFXFONT_H

#include <stdint.h>

typedef struct {
    uint16_t bitmapOffset; /* into GFXfont.bitmap */
    uint8_t width, height; /* the glyph's box */
    uint8_t xAdvance;      /* where the pen goes next */
    int8_t xOffset;        /* from the pen to the box's left edge */
    int8_t yOffset;        /* from the pen on the baseline to the box's top edge */
} GFXglyph;

typedef struct {
    uint8_t* bitmap;
    GFXglyph* glyph;
    uint16_t first, last;
    uint8_t yAdvance;
} GFXfont;

#endif

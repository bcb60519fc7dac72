/* A stand-in for Adafruit_GFX.h when the documentation's snippets are compiled: gfxfont.h's
 * structures and the text calls of the library's Adafruit_GFX class (print comes from
 * Arduino's Print class there). */
#ifndef ZEMTRA_DOC_ADAFRUIT_GFX_H
#define ZEMTRA_DOC_ADAFRUIT_GFX_H

#include <stddef.h>
#include <stdint.h>

#include "../../support/font_readers/gfxfont.h"

class Adafruit_GFX {
  public:
    void setFont(const GFXfont* f = NULL);
    void setCursor(int16_t x, int16_t y);
    size_t print(const char* text);
    void drawPixel(int16_t x, int16_t y, uint16_t color);
};

#endif

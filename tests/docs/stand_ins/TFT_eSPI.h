/* A stand-in for TFT_eSPI.h when the documentation's snippets are compiled: the smooth-font calls
 * of the library's TFT_eSPI class, declared as the library declares them. */
#ifndef ZEMTRA_DOC_TFT_ESPI_H
#define ZEMTRA_DOC_TFT_ESPI_H

#include <stdint.h>

class TFT_eSPI {
  public:
    void begin();
    void loadFont(const uint8_t array[]);
    void unloadFont();
    void setCursor(int16_t x, int16_t y);
    int16_t drawString(const char* string, int32_t x, int32_t y);
};

#endif

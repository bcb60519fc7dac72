/* tiny: an Adafruit GFX font made by Zemtra, 6 x 8 dots, one bit per dot.
 * #include it after Adafruit_GFX.h, then display.setFont(&tiny). */

#ifndef PROGMEM
#define PROGMEM
#endif

const uint8_t tinyBitmaps[] PROGMEM = {
    /* 0x41 'A' */
    0x22, 0xA3, 0x1F, 0xC6, 0x20,
    /* 0x67 'g' */
    0x79, 0x71, 0xE0,
};

const GFXglyph tinyGlyphs[] PROGMEM = {
    /* bitmapOffset, width, height, xAdvance, xOffset, yOffset */
    {    0,   5,   7,   5,    0,   -7},  /* 0x41 'A' */
    {    5,   0,   0,   0,    0,    0},  /* 0x42 'B', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x43 'C', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x44 'D', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x45 'E', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x46 'F', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x47 'G', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x48 'H', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x49 'I', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x4A 'J', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x4B 'K', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x4C 'L', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x4D 'M', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x4E 'N', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x4F 'O', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x50 'P', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x51 'Q', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x52 'R', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x53 'S', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x54 'T', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x55 'U', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x56 'V', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x57 'W', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x58 'X', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x59 'Y', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x5A 'Z', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x5B '[', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x5C, none */
    {    5,   0,   0,   0,    0,    0},  /* 0x5D ']', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x5E '^', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x5F '_', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x60 '`', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x61 'a', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x62 'b', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x63 'c', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x64 'd', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x65 'e', none */
    {    5,   0,   0,   0,    0,    0},  /* 0x66 'f', none */
    {    5,   4,   5,   5,    0,   -4},  /* 0x67 'g' */
};

const GFXfont tiny PROGMEM = {(uint8_t *)tinyBitmaps, (GFXglyph *)tinyGlyphs, 0x41, 0x67, 8};

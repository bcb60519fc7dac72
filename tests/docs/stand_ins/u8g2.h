/* A stand-in for u8g2.h when the documentation's snippets are compiled: what a font array made
 * by bdfconv and the text calls of the snippets need, declared as u8g2 does. */
#ifndef ZEMTRA_DOC_U8G2_H
#define ZEMTRA_DOC_U8G2_H

#include <stdint.h>

#define U8G2_FONT_SECTION(name)

typedef uint16_t u8g2_uint_t;
typedef struct u8g2_struct u8g2_t;

extern u8g2_t u8g2;
void u8g2_SetFont(u8g2_t* u8g2, const uint8_t* font);
void u8g2_DrawPixel(u8g2_t* u8g2, u8g2_uint_t x, u8g2_uint_t y);
u8g2_uint_t u8g2_DrawUTF8(u8g2_t* u8g2, u8g2_uint_t x, u8g2_uint_t y, const char* str);

#endif

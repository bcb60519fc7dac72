/* A stand-in for Adafruit_SSD1306.h when the documentation's snippets are compiled. The
 * snippets use the display object a sketch defines for itself; it is declared here. */
#ifndef ZEMTRA_DOC_ADAFRUIT_SSD1306_H
#define ZEMTRA_DOC_ADAFRUIT_SSD1306_H

#include "Adafruit_GFX.h"

class Adafruit_SSD1306 : public Adafruit_GFX {
  public:
    void display();
};

extern Adafruit_SSD1306 display;

#endif

/* A stand-in for lvgl.h when the documentation's snippets are compiled: the font types of the
 * tests' LVGL stand-in, and the few widget calls the snippets make, declared as LVGL 9 does. */
#ifndef ZEMTRA_DOC_LVGL_H
#define ZEMTRA_DOC_LVGL_H

#include "../../support/font_readers/lvgl.h"

typedef struct _lv_obj_t lv_obj_t;
typedef uint32_t lv_style_selector_t;

lv_obj_t* lv_screen_active(void);
lv_obj_t* lv_label_create(lv_obj_t* parent);
void lv_label_set_text(lv_obj_t* obj, const char* text);
void lv_obj_set_style_text_font(lv_obj_t* obj, const lv_font_t* value,
                                lv_style_selector_t selector);
lv_font_t* lv_binfont_create(const char* path);
lv_font_t* lv_binfont_create_from_buffer(void* buffer, uint32_t size);

#endif

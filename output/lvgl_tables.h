// The tables of LVGL's text font format that its C source and its binary file share: the
// character maps and the kerning, in glyph ids (1 for the first glyph; 0 is no glyph).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/export_font.h"

namespace zemtra::font_export {

// One lv_font_fmt_txt_cmap_t: a tiny format-0 range (glyphs in code order, none missing) or a
// tiny sparse list.
struct CharacterMap {
    uint32_t start = 0;
    uint32_t length = 0;
    uint32_t firstGlyph = 0;
    std::vector<uint16_t> sparse;  // code - start of each character; empty for a range
};

// LVGL's kerning of a glyph pair: ids of the glyph descriptors and the stored value, which LVGL
// multiplies by kern_scale / 16 to get sixteenths of a dot.
struct KernEntry {
    uint32_t left = 0, right = 0;
    int32_t value = 0;
};

// Classes of glyphs that kern alike: left glyphs with the same row of values share a class,
// right glyphs with the same column; class 0 kerns with nothing. Empty when either side needs
// more classes than a byte counts.
struct KernClasses {
    std::vector<uint8_t> left, right;  // by glyph id, 0 for id 0 too
    uint32_t leftCount = 0, rightCount = 0;
    std::vector<int32_t> values;  // leftCount x rightCount
};

// The character maps of glyphs of these characters (ascending), glyph ids in their order.
std::vector<CharacterMap> CharacterMaps(const std::vector<char32_t>& glyphs);

// A font's kerning as LVGL stores it: the scale (16 = 1.0) that fits the largest adjustment
// into a signed byte, the pairs by glyph id with their stored values, and, where a table of
// classes is smaller than the list, the classes.
struct LvglKerning {
    uint32_t scale = 16;
    std::vector<KernEntry> pairs;  // ascending by left id, then right id
    bool wideIds = false;          // 16-bit ids: more than 255 glyphs
    bool useClasses = false;
    KernClasses classes;
};
LvglKerning MakeLvglKerning(std::span<const KerningPair> pairs,
                            const std::vector<char32_t>& glyphs);

}  // namespace zemtra::font_export

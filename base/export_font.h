// Fonts for display libraries (BDF, Adafruit GFX, LVGL): a glyph as the box of its ink with its
// grey levels and advance, and what the whole font shares. The renderer fills them, the writers
// of each format read them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zemtra {

// The formats Zemtra writes; output/font_export.h has a row of facts for each.
enum class ExportFormat { Bdf, AdafruitGfx, Lvgl, LvglBin, Vlw, U8g2 };

// The highest level of a dot at bpp bits per dot: 1, 3, 15 or 255.
constexpr int MaxLevel(int bpp) {
    return (1 << bpp) - 1;
}

// True for the bits per dot an export can have: 1, 2, 4 or 8.
constexpr bool IsExportBpp(int bpp) {
    return bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8;
}

// One glyph, in dots. The pen stands on the baseline: left is the box's left edge to the right
// of the pen, top its top edge above the baseline (upwards positive, as FreeType's bitmap_top).
// An empty box (no ink) has width and height 0, left and top 0.
struct ExportGlyph {
    char32_t character = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t advance = 0;          // where the pen goes next
    std::vector<uint8_t> levels;  // width x height, top row first, 0..MaxLevel(bpp)
    uint32_t source = 0;          // what drew it: an index into ExportFontInfo::sources

    uint8_t Level(int32_t x, int32_t y) const {
        return levels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

// Where glyphs of an export came from: a face, as FontEngine::DrawingFace names it, or
// kHandEditedSource; and how many glyphs it gave.
struct ExportSource {
    std::string name;
    int64_t glyphs = 0;
};
inline constexpr std::string_view kHandEditedSource = "hand edits";

// What every glyph of an export shares. The W x H window of the settings is the font's line:
// its row `baseline` is the first row below the baseline (so `baseline` rows lie above it), and
// its column `originColumn` is where the pen stands. A glyph's dot (x, y) lies in the window at
// column originColumn + left + x, row baseline - top + y.
struct ExportFontInfo {
    std::string name;    // the C identifier of the GFX and LVGL font
    std::string family;  // the face's family name
    int bpp = 1;
    bool monospace = false;  // every glyph the whole window, advance W
    bool compress = false;   // LVGL's compressed bitmaps
    int32_t cellWidth = 0;   // W
    int32_t cellHeight = 0;  // H, the line height
    int32_t baseline = 0;
    int32_t originColumn = 0;
    int32_t ppem = 0;  // the font's pixels per em
    int32_t weight = 400;
    bool italic = false;
    std::vector<ExportSource> sources;  // most glyphs first; the files name them
};

// Kerning between two glyphs of a font: sixteenths of a dot added to the left one's advance when
// the right one follows it.
struct KerningPair {
    char32_t left = 0;
    char32_t right = 0;
    int32_t sixteenths = 0;

    bool operator==(const KerningPair&) const = default;
};

// An exported font as every writer reads it: what its glyphs share, its glyphs in ascending
// character order, and its kerning pairs (ascending by left, then right).
struct BitmapFont {
    ExportFontInfo info;
    std::vector<ExportGlyph> glyphs;
    std::vector<KerningPair> kerning;
};

}  // namespace zemtra

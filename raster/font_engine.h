// The font layer: draws one character of a LOGFONT-described font the way GDI draws
// non-anti-aliased text, through fontconfig (finding the face) and FreeType (mono rendering).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/export_font.h"
#include "base/project_settings.h"

namespace zemtra {

// How a character is drawn: without anti-aliasing, as the dot matrices take it, or with
// FreeType's anti-aliased coverage, for the grey levels of exported fonts.
enum class InkKind { Mono, Coverage };

// The ink of one drawn character, white on black: pixel (x, y) of the render surface is white
// when x - left and y - top fall inside the box and that byte is 1 (Mono), or covered by that
// byte's share of 255 (Coverage). The character cell's top-left is at surface (0, 0); ink is
// already clipped to the cell's rows [0, ascent + descent).
struct GlyphInk {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // width * height bytes, row-major: 1 = white, or 0..255
    // Where the next character's cell would start, in whole pixels: the drawing face's advance
    // at its created size, horizontal scale and synthetic bold included.
    int32_t advance = 0;

    bool White(int64_t x, int64_t y) const {
        const int64_t bx = x - left;
        const int64_t by = y - top;
        if (bx < 0 || by < 0 || bx >= width || by >= height) return false;
        return pixels[static_cast<size_t>(by) * width + static_cast<size_t>(bx)] != 0;
    }
    void Clear() {
        left = top = width = height = advance = 0;
        pixels.clear();
    }
};

// The cell of a created font, in pixels.
struct FontCellMetrics {
    int32_t ppem = 0;    // pixels per em of the vertical size
    int32_t ascent = 0;  // baseline below the cell's top
    int32_t descent = 0;
    int32_t averageWidth = 0;  // at least 1
};

// One FreeType library with its loaded faces. Faces are cached across calls, so drawing a whole
// code range in one font loads the face once; the results never depend on the cache. Not
// thread-safe: use one engine per thread.
class FontEngine {
  public:
    FontEngine();
    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // Draws text (zero or one character; of a longer text only the first character is drawn,
    // a surrogate pair being one, and a lone surrogate draws the default glyph) in the described
    // font with quality NONANTIALIASED whatever the description holds; replaces ink's contents. A
    // positive Height is the cell height, a negative one the em height, 0 the font's default; a
    // nonzero Width is the average character width and scales the glyphs horizontally. A character
    // the face lacks comes from a linked face, as Windows' font linking draws it: for CJK
    // characters the pixel-designed Chinese faces first, else fontconfig's fallback order; the
    // linked face is sized from the same height and width by its own metrics, kept inside this
    // font's cell, and its glyph stands on this font's baseline. Throws UserError when no font at
    // all can be found. InkKind::Coverage draws the same glyph anti-aliased instead, at the same
    // size and placement, from the outlines where the face has them (embedded strikes are drawn for
    // text without anti-aliasing only); a bitmap font's pixels are fully covered.
    void DrawCharacter(const LogFont& font, std::u16string_view text, GlyphInk& ink,
                       InkKind kind = InkKind::Mono);

    // The advance DrawCharacter gives the text's first character without anti-aliasing, in
    // whole pixels, without rendering it: what an export at more bits per dot takes while its
    // levels come from the anti-aliased drawing.
    int32_t MonoAdvance(const LogFont& font, std::u16string_view text);

    // True when the described font or one of its linked faces has a glyph of its own for the
    // character; false where only the default glyph would be drawn (and for a surrogate code).
    bool HasCharacter(const LogFont& font, char32_t character);

    // The face that draws the character, as "Family (file name)", with ", face N" for a face
    // of a collection after the file name; empty when no face has it. An exported font names
    // its sources with it, so a file made on another machine tells which faces differ.
    std::string DrawingFace(const LogFont& font, char32_t character);

    // The kerning of the characters (ascending) as the faces that draw them have it: a pair is
    // kerned only when one face draws both, at the size it draws them (FaceKerning).
    std::vector<KerningPair> Kerning(const LogFont& font, std::span<const char32_t> characters);

    // The cell metrics of the described font as it would be created.
    FontCellMetrics Metrics(const LogFont& font);

    // False for a bitmap font (BDF, PCF), which draws its own pixels at its own size.
    bool HasOutlines(const LogFont& font);

    // The family that draws in place of the description's face name when no installed face has
    // that name and no alias leads to one (fontconfig then offers its default face); empty
    // when the name was found, or the font is a file.
    std::string StandInFamily(const LogFont& font);

    // The font file (and face index) fontconfig picked for the description; for messages.
    std::string ResolvedFace(const LogFont& font);

    // The family name the chosen face gives itself (as FreeType reads it), e.g. "Liberation
    // Sans"; empty when it names none.
    std::string FamilyName(const LogFont& font);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// True when fontconfig lists an installed font whose family is exactly this name.
bool FontFamilyInstalled(std::u16string_view family);

}  // namespace zemtra

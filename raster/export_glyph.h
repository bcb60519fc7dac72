// The glyphs of exported fonts, all made by RenderExportGlyph: one bit per dot is
// RenderDotMatrix's own matrix, more bits FreeType's anti-aliased rendering through the same
// window; either is cropped to its ink (or kept whole for a monospaced font).
#pragma once

#include <string>

#include "base/export_font.h"
#include "base/project_settings.h"
#include "raster/glyph_renderer.h"

namespace zemtra {

struct ExportStyle {
    int bpp = 1;  // 1, 2, 4 or 8
    bool monospace = false;
};

// What the glyphs of an export under these settings share: the window, the baseline's row in it
// (the font's cell ascent less the sampling offset), the pen's column (the character cell's
// left edge; the window's left edge when monospaced), the face's name and size. Throws as
// RenderDotMatrix does.
ExportFontInfo ExportFontInfoOf(GlyphRenderer& renderer, const ProjectSettings& s,
                                const ExportStyle& style);

// Renders one character of an export into glyph. Returns false, leaving glyph as it was, when
// neither the chosen face nor a linked face has the character (or the matrix is below 1 x 1).
// The advance is that of the face that draws the character. A level is
// round(coverage x MaxLevel(bpp) / 255); at one bit per dot the levels are the matrix's dots,
// so the glyph placed on its window is exactly what RenderDotMatrix gives. A hand-edited glyph
// of the matrix's size is its edit's dots at the full level, even where no face has the
// character (its advance is then the matrix width).
// drewIt, when given, receives what drew the glyph: kHandEditedSource for an edit, else the face
// (FontEngine::DrawingFace).
bool RenderExportGlyph(GlyphRenderer& renderer, const ProjectSettings& s, char32_t character,
                       const ExportStyle& style, ExportGlyph& glyph, std::string* drewIt = nullptr);

}  // namespace zemtra

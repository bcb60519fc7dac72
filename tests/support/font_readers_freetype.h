// BDF and PCF fonts read back through FreeType's own drivers, as display tool chains and X
// read them: each glyph of the Unicode map with its advance, box and bits, and the line from
// FONT_ASCENT and FONT_DESCENT.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H

#include <filesystem>
#include <string>
#include <string_view>

#include "support/font_decoders.h"

namespace zemtra::test {

// The font in a file (file non-empty) or in bytes.
inline ReadFont ReadWithFreeType(const std::filesystem::path& file, std::string_view bytes = {}) {
    ReadFont f;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0) return f;
    const FT_Error opened =
        file.empty() ? FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(bytes.data()),
                                          static_cast<FT_Long>(bytes.size()), 0, &face)
                     : FT_New_Face(library, file.c_str(), 0, &face);
    if (opened != 0 || face->num_fixed_sizes < 1 || FT_Select_Size(face, 0) != 0) {
        f.error = "FreeType cannot open " + (file.empty() ? "the bytes" : file.string());
        if (face != nullptr) FT_Done_Face(face);
        FT_Done_FreeType(library);
        return f;
    }
    // BDF keeps the line in its properties; PCF (bdftopcf moves them) in its accelerator table,
    // which FreeType gives as the size's ascender and descender.
    BDF_PropertyRec ascent{}, descent{};
    if (FT_Get_BDF_Property(face, "FONT_ASCENT", &ascent) == 0 &&
        FT_Get_BDF_Property(face, "FONT_DESCENT", &descent) == 0) {
        f.baselineRow = ascent.u.integer;
        f.lineHeight = ascent.u.integer + descent.u.integer;
    } else {
        f.baselineRow = static_cast<int>(face->size->metrics.ascender >> 6);
        f.lineHeight = f.baselineRow - static_cast<int>(face->size->metrics.descender >> 6);
    }
    FT_UInt index = 0;
    for (FT_ULong code = FT_Get_First_Char(face, &index); index != 0;
         code = FT_Get_Next_Char(face, code, &index)) {
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
            f.error = "FreeType cannot load the glyph of " + std::to_string(code);
            break;
        }
        const FT_GlyphSlot slot = face->glyph;
        ReadGlyph g;
        g.advance = static_cast<int>(slot->advance.x >> 6);
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(slot->bitmap.width);
        g.height = static_cast<int>(slot->bitmap.rows);
        for (int y = 0; y < g.height; ++y) {
            const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
            for (int x = 0; x < g.width; ++x)
                g.levels.push_back((row[x >> 3] >> (7 - (x & 7))) & 1);
        }
        f.glyphs[static_cast<char32_t>(code)] = g;
    }
    f.ok = f.error.empty();
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return f;
}

}  // namespace zemtra::test

// The floor every renderer benchmark is measured against: the face and size the font engine
// picked, loaded straight with FreeType, each glyph loaded and rendered mono and nothing else.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <string>

#include "raster/font_engine.h"

namespace zemtra::bench {

class BareFace {
  public:
    // Opens the file fontconfig resolves for font, sized as the engine sizes it: the engine's
    // ppem, widened by the font's Width against the face's own average width.
    explicit BareFace(const LogFont& font) {
        FontEngine engine;
        const FontCellMetrics m = engine.Metrics(font);
        LogFont natural = font;
        natural.Width = 0;
        const FontCellMetrics own = engine.Metrics(natural);
        std::string file = engine.ResolvedFace(font);
        long index = 0;
        if (const size_t mark = file.find(" (face "); mark != std::string::npos) {
            index = std::stol(file.substr(mark + 7));
            file.resize(mark);
        }
        if (FT_Init_FreeType(&library_) != 0 ||
            FT_New_Face(library_, file.c_str(), index, &face_) != 0) {
            face_ = nullptr;
            return;
        }
        ppem_ = m.ppem;
        if (font.Width == 0 || m.averageWidth == own.averageWidth) {
            FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(m.ppem));
        } else {
            const double xPpem = m.ppem * double(m.averageWidth) / own.averageWidth;
            FT_Set_Char_Size(face_, std::lround(xPpem * 64), FT_F26Dot6{m.ppem} * 64, 72, 72);
        }
    }
    ~BareFace() {
        if (face_ != nullptr) FT_Done_Face(face_);
        if (library_ != nullptr) FT_Done_FreeType(library_);
    }
    BareFace(const BareFace&) = delete;
    BareFace& operator=(const BareFace&) = delete;

    bool Ok() const { return face_ != nullptr; }
    int Ppem() const { return ppem_; }

    // Loads and renders one character; gives the bitmap's first byte so it cannot be dropped.
    const unsigned char* Render(unsigned long codepoint) {
        FT_Load_Char(face_, codepoint, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO);
        return face_->glyph->bitmap.buffer;
    }

  private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    int ppem_ = 0;
};

}  // namespace zemtra::bench

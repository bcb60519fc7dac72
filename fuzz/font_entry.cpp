// Fuzzing font files: the input is a font file (TrueType, OpenType, a collection, BDF, PCF)
// chosen as "Font File..." chooses one, sized by the matrix, and drawn through the renderer the
// jobs use: one bit per dot and grey, characters the file lacks (drawn by a linked installed
// face), and the file again as a source of its own at another size and offset.
#include <array>
#include <string>

#include "base/error.h"
#include "base/project_settings.h"
#include "base/unicode.h"
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_support.h"
#include "raster/export_glyph.h"
#include "raster/font_engine.h"
#include "raster/font_file.h"
#include "raster/glyph_renderer.h"

namespace zemtra::fuzz {
namespace {

// A letter, one with a descender, an accented one, a combining mark (ink left of the pen), a
// CJK character and one beyond the basic plane.
constexpr std::array<char32_t, 6> kCharacters{U'A',      U'g',      U'\u00E9',
                                              U'\u0301', U'\u4F60', U'\U0001F600'};

// The dot matrix of one character and its export glyph at one bit per dot, which must be the
// same dots: the glyph placed on the export's window is what the matrix shows.
void CheckOneBit(GlyphRenderer& renderer, const ProjectSettings& s, char32_t c) {
    DotMatrix matrix;
    if (!renderer.RenderDotMatrix(s, CharacterUtf16(c), &matrix)) return;
    const int32_t w = MatrixWidth(s), h = MatrixHeight(s);
    Check(matrix.Width() == w && matrix.Height() == h, "the matrix has the settings' size");
    const ExportStyle style{1, false};
    const ExportFontInfo info = ExportFontInfoOf(renderer, s, style);
    ExportGlyph glyph;
    if (!RenderExportGlyph(renderer, s, c, style, glyph)) return;
    Check(glyph.width >= 0 && glyph.height >= 0 &&
              glyph.levels.size() == static_cast<size_t>(glyph.width) * glyph.height,
          "a glyph's levels fill its box");
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const int32_t gx = x - info.originColumn - glyph.left;
            const int32_t gy = y - info.baseline + glyph.top;
            const bool inBox = gx >= 0 && gy >= 0 && gx < glyph.width && gy < glyph.height;
            const bool lit = inBox && glyph.Level(gx, gy) != 0;
            Check(lit == matrix.Lit(x, y), "the one-bit glyph is the matrix's dots");
        }
    }
}

void CheckGrey(GlyphRenderer& renderer, const ProjectSettings& s, char32_t c, int bpp) {
    ExportGlyph glyph;
    if (!RenderExportGlyph(renderer, s, c, ExportStyle{bpp, false}, glyph)) return;
    Check(glyph.levels.size() == static_cast<size_t>(glyph.width) * glyph.height,
          "a grey glyph's levels fill its box");
    for (uint8_t level : glyph.levels) Check(level <= MaxLevel(bpp), "levels fit the depth");
}

}  // namespace

void FuzzFont(std::string_view data) {
    static const std::filesystem::path folder = FreshScratchFolder("font");
    const std::filesystem::path file = folder / "input.font";
    WriteWholeFile(file, data);
    // A renderer of this input's own: faces are cached by file, and FreeType reads an open
    // face's file as it goes, so none may outlive the bytes it was opened on.
    GlyphRenderer renderer;
    ProjectSettings s;
    ApplyNew(s, false);
    // The matrix and the style come from the input's size and last byte, so seeds stay files.
    const size_t size = data.size();
    const unsigned last = data.empty() ? 0 : static_cast<unsigned char>(data.back());
    s.BLOCKNUMX = DecimalText(4 + static_cast<long long>(size % 29));
    s.BLOCKNUMY = DecimalText(4 + static_cast<long long>(size / 29 % 29));
    try {
        ChooseFontFile(s, file.u16string(), (last & 3) == 3 ? 1 : 0, renderer.Fonts());
    } catch (const UserError&) {
        return;  // named and refused: no font in these bytes
    }
    DeriveFontSizeFor(s, renderer.Fonts());
    if ((last & 4) != 0) s.FONT.Weight = 700;
    if ((last & 8) != 0) s.FONT.Italic = 1;
    if ((last & 16) != 0) s.FONT.Width = 1 + static_cast<int32_t>(size % 40);
    s.OFFSETX = static_cast<int32_t>(size % 5) - 2;
    s.OFFSETY = static_cast<int32_t>(size % 3) - 1;
    if ((last & 32) != 0) {
        FontSource source;
        source.file = file.u16string();
        source.ranges = {{U'a', U'z'}};
        source.height = 3 + static_cast<int32_t>(size % 20);
        source.dx = 1;
        source.dy = -2;
        s.FONT.Sources.push_back(source);
    }
    try {
        const FontCellMetrics cell = renderer.Fonts().Metrics(s.FONT);
        Check(cell.averageWidth >= 1, "a created font has a width");
        for (char32_t c : kCharacters) {
            CheckOneBit(renderer, s, c);
            CheckGrey(renderer, s, c, (last & 64) != 0 ? 8 : 2);
        }
        renderer.Fonts().Kerning(s.FONT, kCharacters);
    } catch (const UserError&) {
        // A size beyond the limits, or no font at all: named, as the jobs name it.
    }
}

}  // namespace zemtra::fuzz

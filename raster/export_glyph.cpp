// Export glyphs: the window's dots or coverage, quantised, cropped to the ink and placed
// relative to the pen on the baseline.
#include "raster/export_glyph.h"

#include <algorithm>
#include <string>

#include "base/dot_matrix.h"
#include "base/error.h"
#include "base/unicode.h"

namespace zemtra {
namespace {

// round(coverage x top / 255) in integers; no coverage lies exactly halfway for these tops.
uint8_t Quantise(uint8_t coverage, int top) {
    return static_cast<uint8_t>((2 * coverage * top + 255) / 510);
}

struct LevelBox {
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

// The rows and columns that hold a nonzero level; empty when none does.
LevelBox InkBox(const DotMatrix& levels) {
    LevelBox box{levels.Width(), levels.Height(), 0, 0};
    for (int32_t y = 0; y < levels.Height(); ++y) {
        const uint8_t* row = levels.Row(y);
        for (int32_t x = 0; x < levels.Width(); ++x) {
            if (row[x] == 0) continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x + 1);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    if (box.right <= box.left) return {};
    return box;
}

// Offsets that put the baseline or the pen further from the window than this make no font:
// every glyph would be empty, and the formats' numbers would overflow.
constexpr int64_t kMaxPlacement = 1 << 20;

int32_t CheckedPlacement(int64_t value) {
    if (value < -kMaxPlacement || value > kMaxPlacement) {
        throw UserError("The offsets put the glyphs more than " + std::to_string(kMaxPlacement) +
                        " dots away from the matrix; an exported font would be empty.");
    }
    return static_cast<int32_t>(value);
}

// The window's row just below the baseline: the cell's ascent, seen through the sampling offset.
int32_t BaselineRow(GlyphRenderer& renderer, const ProjectSettings& s) {
    return CheckedPlacement(renderer.Fonts().Metrics(s.FONT).ascent - SampleY(s));
}

// The window's column where the pen stands: its left edge, so that a glyph placed on its cell
// shows what the window shows, the horizontal offset included (as the vertical offset moves the
// ink against the baseline). The cell's own left edge would drop the offset.
int32_t OriginColumn() {
    return 0;
}

}  // namespace

ExportFontInfo ExportFontInfoOf(GlyphRenderer& renderer, const ProjectSettings& s,
                                const ExportStyle& style) {
    if (auto why = RenderLimitError(s)) throw UserError(*why);
    const FontCellMetrics cell = renderer.Fonts().Metrics(s.FONT);
    ExportFontInfo info;
    info.family = renderer.Fonts().FamilyName(s.FONT);
    info.bpp = style.bpp;
    info.monospace = style.monospace;
    info.cellWidth = MatrixWidth(s);
    info.cellHeight = MatrixHeight(s);
    info.baseline = BaselineRow(renderer, s);
    info.originColumn = OriginColumn();
    info.ppem = cell.ppem;
    info.weight = s.FONT.Weight;
    info.italic = s.FONT.Italic != 0;
    return info;
}

bool RenderExportGlyph(GlyphRenderer& renderer, const ProjectSettings& s, char32_t character,
                       const ExportStyle& style, ExportGlyph& glyph, std::string* drewIt) {
    if (!HasDots(s)) return false;
    const std::u16string source = CharacterUtf16(character);
    const GlyphDots* edit = GlyphEditFor(s, source);
    // One look-up of the face answers both whether it has the character and which face it is.
    std::string face = renderer.Fonts().DrawingFace(s.FONT, character);
    const bool drawn = !face.empty();
    if (!drawn && edit == nullptr) return false;
    if (drewIt != nullptr)
        *drewIt = edit != nullptr ? std::string(kHandEditedSource) : std::move(face);
    DotMatrix levels;
    int32_t advance = MatrixWidth(s);
    if (edit != nullptr) {
        // The edit stands for the face's dots, not for its advance: the face still says where
        // the pen goes, drawn the way the unedited glyph would be. An edit has no grey, so its
        // lit dots are at the full level.
        if (drawn) {
            GlyphInk ink;
            renderer.Fonts().DrawCharacter(s.FONT, source, ink,
                                           style.bpp > 1 ? InkKind::Coverage : InkKind::Mono);
            advance = ink.advance;
        }
        const uint8_t full = static_cast<uint8_t>(MaxLevel(style.bpp));
        levels.Reset(edit->Width(), edit->Height());
        for (int32_t y = 0; y < levels.Height(); ++y) {
            uint8_t* row = levels.Row(y);
            for (int32_t x = 0; x < levels.Width(); ++x) row[x] = edit->Lit(x, y) ? full : 0;
        }
    } else {
        if (style.bpp == 1) {
            renderer.RenderDotMatrix(s, source, &levels);
            advance = renderer.CharacterInk().advance;
        } else {
            // Drawn once: the levels anti-aliased, the advance as the one-bit glyph has it.
            renderer.RenderCoverage(s, character, levels);
            advance = renderer.Fonts().MonoAdvance(s.FONT, source);
            const int top = MaxLevel(style.bpp);
            for (int32_t y = 0; y < levels.Height(); ++y) {
                uint8_t* row = levels.Row(y);
                for (int32_t x = 0; x < levels.Width(); ++x) row[x] = Quantise(row[x], top);
            }
        }
    }
    const int32_t w = levels.Width();
    const int32_t h = levels.Height();
    const LevelBox box = style.monospace ? LevelBox{0, 0, w, h} : InkBox(levels);
    glyph.character = character;
    glyph.width = box.right - box.left;
    glyph.height = box.bottom - box.top;
    glyph.advance = style.monospace ? w : advance;
    glyph.left = glyph.width == 0 ? 0 : box.left - OriginColumn();
    glyph.top = glyph.height == 0 ? 0 : BaselineRow(renderer, s) - box.top;
    glyph.levels.resize(static_cast<size_t>(glyph.width) * static_cast<size_t>(glyph.height));
    for (int32_t y = 0; y < glyph.height; ++y) {
        const uint8_t* row = levels.Row(box.top + y) + box.left;
        std::copy(row, row + glyph.width,
                  glyph.levels.begin() + static_cast<ptrdiff_t>(y) * glyph.width);
    }
    return true;
}

}  // namespace zemtra

// The size rules of a created font, as GDI applies them: pixels per em from a cell or em height,
// the cell's ascent and descent, the average width, and where underline and strike-out go.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "raster/font_engine.h"

namespace zemtra {

// What the rules read from a face, in font units (OS/2, hhea and post tables).
struct FaceUnits {
    int32_t unitsPerEm = 2048;
    int32_t winAscent = 0;          // OS/2 usWinAscent
    int32_t winDescent = 0;         // OS/2 usWinDescent
    int32_t hheaAscender = 0;       // used when usWinAscent + usWinDescent is 0
    int32_t hheaDescender = 0;      // negative below the baseline
    int32_t xAvgCharWidth = 0;      // OS/2; 0 when unknown
    int32_t underlinePosition = 0;  // post; centre of the stroke, negative below the baseline
    int32_t underlineThickness = 0;
    int32_t strikeoutPosition = 0;  // OS/2 yStrikeoutPosition
    int32_t strikeoutSize = 0;
};

// Windows' MulDiv: a * b / c rounded to the nearest integer, halves away from zero; 0 for c = 0.
int64_t MulDivRound(int64_t a, int64_t b, int64_t c);

// Pixels per em for a positive (cell) height: round(em x height / units), one less when the
// rounded cell at that size would exceed the height. At least 1.
int32_t PpemForCellHeight(const FaceUnits& units, int32_t cellHeight);

// One VDMX entry: the em size and the exact cell extent the hinted font has at it.
struct VdmxEntry {
    int32_t ppem = 0;
    int32_t yMax = 0;
    int32_t yMin = 0;
};

// The VDMX entry for a cell height on a 1:1 device: the largest entry whose yMax - yMin does
// not exceed the height. Nothing when the table is malformed, has no 1:1 group, or the height
// lies outside the group's range (the formula applies then).
std::optional<VdmxEntry> LookUpVdmx(std::span<const uint8_t> table, int32_t cellHeight);

// The cell height GDI gives a font created with height 0.
inline constexpr int32_t kDefaultCellHeight = 16;

// The created font's vertical size and horizontal scale.
struct FontSize {
    FontCellMetrics cell;     // ppem, rounded ascent and descent, average width
    int32_t widthPixels = 0;  // |Width| when it scales the glyphs, else 0
    // The horizontal scale |Width| / natural average width; 1 when the width is 0, ignored or
    // equal to the natural average width.
    double xScale = 1.0;
};

// Applies the LOGFONT height and width to a face: positive height = cell height (VDMX first when
// the table is given), negative = em height, 0 = kDefaultCellHeight with the width ignored.
FontSize ComputeFontSize(const FaceUnits& units, int32_t height, int32_t width,
                         std::span<const uint8_t> vdmx = {});

// True when a cell stands on another's baseline without crossing its top or bottom.
inline bool CellFits(const FontCellMetrics& cell, const FontCellMetrics& inside) {
    return cell.ascent <= inside.ascent && cell.descent <= inside.descent;
}

// The size of a linked face (one that draws the characters the chosen face lacks): created
// from the same height and width as the chosen face but by its own metrics, as ComputeFontSize
// gives it. Where its ascent or descent would cross the chosen face's cell, whose baseline its
// glyphs stand on, it is made smaller one ppem at a time until it fits, the horizontal scale
// kept, so that no ink is cut off and the glyphs keep their proportions.
FontSize LinkedFontSize(const FaceUnits& units, int32_t height, int32_t width,
                        std::span<const uint8_t> vdmx, const FontCellMetrics& chosen);

// Rows [top, top + size) of a horizontal stroke centred `position` font units above the
// baseline, `thickness` units thick (at least 1 pixel), in cell coordinates.
struct StrokeRows {
    int32_t top = 0;
    int32_t size = 0;
};
StrokeRows StrokeRowsFor(const FaceUnits& units, int32_t ppem, int32_t ascent, int32_t position,
                         int32_t thickness);

}  // namespace zemtra

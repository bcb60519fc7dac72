// Turning a rendered FreeType glyph slot into GlyphInk: placement on the cell's baseline,
// underline and strike-out strokes across the advance, and the clip to the cell's rows.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>

#include "raster/font_engine.h"
#include "raster/font_metrics.h"

namespace zemtra {

// The strokes to draw across the character's advance (underline, strike-out).
struct InkStrokes {
    StrokeRows rows[2];
    int count = 0;
};

// Replaces ink with the slot's bitmap, its top-left at (bitmap_left, baseline - bitmap_top),
// each set pixel repeated `smear` pixels to the right (synthetic bold of a strike glyph), plus
// the strokes, all clipped to rows [0, cellHeight), and takes the slot's advance. Pixels are 1
// for white, or with `coverage` the share of 255 that each pixel is covered (a mono pixel and
// the strokes fully). Reuses ink's pixel capacity.
void ComposeInk(const FT_GlyphSlotRec* slot, int32_t smear, int32_t baseline, int32_t cellHeight,
                const InkStrokes& strokes, bool coverage, GlyphInk& ink);

}  // namespace zemtra

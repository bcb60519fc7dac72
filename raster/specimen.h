// Specimen sheets: many rendered glyphs on one picture, each as the display shows it (lit dots
// light, unlit dots dark) with its code written under it, for reviewing a whole font at once.
#pragma once

#include <string>
#include <vector>

#include "raster/dot_matrix.h"
#include "raster/font_engine.h"
#include "raster/raster.h"

namespace zemtra {

struct SpecimenGlyph {
    DotMatrix matrix;
    std::u16string label;  // e.g. "4E00"
};

// Glyphs per row and rows per page of a sheet.
inline constexpr int kSpecimenColumns = 16;
inline constexpr int kSpecimenRows = 16;
inline constexpr int kSpecimenPerPage = kSpecimenColumns * kSpecimenRows;

// One page: up to kSpecimenPerPage glyphs (all of the same size), left to right, top to
// bottom; labels are drawn with the font engine in a small monospaced face.
RgbRaster SpecimenPage(const std::vector<SpecimenGlyph>& glyphs, FontEngine& fonts);

}  // namespace zemtra

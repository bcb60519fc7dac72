// Specimen sheets: many rendered glyphs on one picture, each as the display shows it (lit dots
// light, unlit dots dark) with its code written under it, for reviewing a whole font at once.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "base/dot_matrix.h"
#include "base/progress.h"
#include "base/project_settings.h"
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

class GlyphRenderer;

// A whole code range takes seconds: who hears of the progress (positions 0..100, the range is
// the caller's to set) and the flag that stops the gathering, leaving the glyphs so far.
struct SpecimenRun {
    ProgressSink* progress = nullptr;
    const StopFlag* stop = nullptr;
};

// Every item of the character list rendered under the settings, labelled with its code (four
// hexadecimal digits of its first unit) or "pic" for a picture. Throws what rendering throws.
std::vector<SpecimenGlyph> SpecimenGlyphsOfList(const ProjectSettings& s, GlyphRenderer& renderer,
                                                const SpecimenRun& run = {});

// Every code of the rectangle FROM..TO in the code page (CodeRectangle, the font library's walk),
// labelled with the code.
std::vector<SpecimenGlyph> SpecimenGlyphsOfRange(const ProjectSettings& s, GlyphRenderer& renderer,
                                                 const SpecimenRun& run = {});

// The pages a sheet of this many glyphs takes.
inline size_t SpecimenPageCount(size_t glyphs) {
    return (glyphs + kSpecimenPerPage - 1) / kSpecimenPerPage;
}

// Where page `page` (from 0) of `pages` goes: the name itself when there is one page, else the
// name with -001, -002, ... before its extension.
std::filesystem::path SpecimenPageFile(const std::filesystem::path& name, size_t page,
                                       size_t pages);

}  // namespace zemtra

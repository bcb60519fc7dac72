// Kerning of a face through HarfBuzz: what its GPOS pair lookups (or its legacy 'kern' table)
// add to the advance of one character before another.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <span>
#include <utility>
#include <vector>

#include "base/export_font.h"

namespace zemtra {

// A character and the face's glyph for it.
using CharacterGlyph = std::pair<char32_t, FT_UInt>;

// The pairs of the characters (ascending) whose kerned advance differs from the unkerned one by
// at least 1/16 pixel at the face's current size (its x_scale), each shaped on its own with
// kerning and no other feature. Only glyphs that a kerning lookup (or 'kern' subtable) names are
// paired, so a large set with a few kerned glyphs costs little. Pairs come ascending by left,
// then right; a face without kerning gives none.
std::vector<KerningPair> FaceKerning(FT_Face face, std::span<const CharacterGlyph> characters);

}  // namespace zemtra

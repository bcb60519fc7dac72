// Font files chosen by path ("Font File...", --font-file): what the size fields show for them.
#pragma once

#include <string>
#include <string_view>

#include "base/project_settings.h"

namespace zemtra {

class FontEngine;

// Sets the font file (and face index) of the settings. A bitmap font draws its own pixels at
// its own size, so for one the font size becomes its cell: Width = its average width, Height =
// its cell height, and WIDTH and HEIGHT show them. Throws UserError when the file cannot be
// used as a font.
void ChooseFontFile(ProjectSettings& s, std::u16string_view path, int32_t index, FontEngine& fonts);

// After the matrix size changed: a bitmap font keeps its own size (the derivation would be
// ignored anyway), any other font derives it from the matrix.
void DeriveFontSizeFor(ProjectSettings& s, FontEngine& fonts);

}  // namespace zemtra

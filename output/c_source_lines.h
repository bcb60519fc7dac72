// Which character of a generated C source a line of its text belongs to, for checking the
// glyph under the caret in the Output View.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace zemtra {

// The index (as ParseCSource counts the glyphs) of the character whose words or comment stand
// on line `line` (from 0) of the text; nothing for a line outside the fontlib array, a blank
// line, or the array's closing line.
std::optional<size_t> GlyphIndexAtLine(std::u16string_view text, size_t line);

}  // namespace zemtra

// A source of a font: another face or font file that draws some characters of a project at its
// own size and offset, ahead of the project's own face ("FontAwesome@U+F000-U+F2E0@size=14").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/code_spans.h"

namespace zemtra {

struct FontSource {
    std::u16string face;  // an installed family, or
    std::u16string file;  // a font file (TrueType, OpenType, a collection's face, BDF, PCF)
    int32_t index = 0;    // the face of a collection
    std::vector<CodeSpan> ranges;  // the characters it serves; empty: every one
    // Its size as the project's font size reads: cell height and optional width; a height of 0
    // takes the project's size.
    int32_t height = 0;
    int32_t width = 0;
    int32_t dx = 0;  // dots right
    int32_t dy = 0;  // dots down

    bool operator==(const FontSource&) const = default;
    bool Serves(char32_t c) const { return ranges.empty() || SpansHold(ranges, c); }
};

// Sources a font holds at most (each is a face kept open while it draws).
inline constexpr size_t kMaxFontSources = 32;
// Offsets beyond this many dots put the glyph out of any matrix that renders.
inline constexpr int32_t kMaxSourceOffset = 4096;

// Reads "FACE_OR_FILE[@RANGES][@size=H|WxH][@offset=DX,DY]". The first part is a file when it
// holds a '/' or ends in a font file's suffix (.ttf .otf .ttc .otc .bdf .pcf .pcf.gz), with
// "#INDEX" naming a face of a collection; else a family name. Throws UserError naming the part
// that is wrong.
FontSource ParseFontSource(std::string_view text);

// The text ParseFontSource reads back, parts at their defaults left out.
std::string FontSourceText(const FontSource& source);

// The file's or the family's name, for messages and the status line.
std::string FontSourceName(const FontSource& source);

}  // namespace zemtra

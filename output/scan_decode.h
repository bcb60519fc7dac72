// Reading generated data back into dot matrices: the C source text and .dzk records. The word
// unpacking is written apart from MapScanIndex, so a round trip through the writers and this
// reader checks the scan order instead of repeating it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/dot_matrix.h"
#include "base/project_settings.h"
#include "base/scan_order.h"

namespace zemtra {

// The dots of one character's words: bit b of word k holds the dot the scan order puts there,
// lit when the bit is 1 under Cathode and 0 under Anode. Throws UserError when the word count
// does not fit the mode and size.
DotMatrix UnpackGlyph(const std::vector<uint32_t>& words, const ScanMode& mode, int32_t width,
                      int32_t height, int unitBits);

struct ParsedGlyph {
    std::u16string character;  // from the comment; "" when it cannot be read
    int64_t position = 0;      // the number after the comment
    std::vector<uint32_t> words;
};

struct ParsedCSource {
    int32_t width = 0;
    int32_t height = 0;
    int bits = 8;  // from the DataBits line
    std::vector<ParsedGlyph> glyphs;
};

// Reads the fontlib array of a generated C source. Throws UserError naming the first problem.
ParsedCSource ParseCSource(std::u16string_view text);

// The text of a C source file as the writers leave it: UTF-16LE with a byte-order mark, or
// UTF-8 (as zemtra-cli writes it by default).
std::u16string DecodeCSourceBytes(std::string_view bytes);

// The record of one code in a .dzk built with these settings (CODEPAGE, FROM, TO, matrix and
// scan mode), unpacked. Throws UserError when the code lies outside the build's rectangle, has
// no record, or the file is too short.
DotMatrix ReadLibraryGlyph(const std::filesystem::path& file, const ProjectSettings& settings,
                           uint16_t code);

}  // namespace zemtra

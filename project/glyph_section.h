// The [Glyphs] section of a project: one key per hand-edited glyph, "U+XXXX WxH", whose value is
// H rows of ceil(W / 4) hexadecimal digits separated by commas, the first dot of a row in the
// top bit of its first digit:
//     [Glyphs]
//     U+0041 8x8=18,24,42,81,FF,81,81,00
// Written strictly (upper-case digits, U+ with at least four digits and no more leading zeros,
// the decimal size with a lower-case x); read leniently where the profile rules already are
// (letters of either case in keys and digits, white space around a row). An entry that cannot
// be read is skipped and named, never fatal: the rest of the project loads.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/glyph_edits.h"
#include "project/profile.h"

namespace zemtra {

inline constexpr std::u16string_view kGlyphsSection = u"Glyphs";

// Entries of [Glyphs] read at most; the rest are skipped with one message, so that a hostile
// file cannot make a load take gigabytes. Four matrix sizes of the whole basic plane fit.
inline constexpr size_t kMaxGlyphEntries = size_t{1} << 18;
// Skipped entries named one by one at most; one more line counts the rest.
inline constexpr size_t kMaxNamedGlyphProblems = 100;

// "U+0041 8x8": at least four upper-case digits, the size in decimal.
std::u16string GlyphKeyText(const GlyphEditKey& key);
// "18,24,42,81,FF,81,81,00": H rows of ceil(W / 4) upper-case digits.
std::u16string GlyphRowsText(const GlyphDots& dots);
// The whole profile line's form, "U+0041 8x8=18,24,...", as zemtra-cli lists an edit.
std::u16string GlyphEntryText(const GlyphEditKey& key, const GlyphDots& dots);

// Reads a key; gives why it is not one ("the key is not U+XXXX WxH", a code above U+10FFFF,
// a size outside 1..2048, leading zeros that would make a second spelling of one key).
std::optional<std::string> ParseGlyphKey(std::u16string_view text, GlyphEditKey& key);
// Reads the rows of a width x height glyph; gives why they are not its rows (empty, the row
// count, a row's digit count, a digit that is not hexadecimal, dots lit beyond the width).
std::optional<std::string> ParseGlyphRows(std::u16string_view text, int32_t width, int32_t height,
                                          GlyphDots& dots);

struct GlyphSection {
    GlyphEdits edits;
    // One line per skipped entry, naming it and why ("[Glyphs] "U+41 8x8": ..."); after
    // kMaxNamedGlyphProblems of them, one more line counts the rest.
    std::vector<std::string> problems;
};

// The edits of the profile's first [Glyphs] section. Only the first entry of a key counts, as
// for every profile key; later ones are skipped and named.
GlyphSection ReadGlyphSection(const Profile& profile);

// Makes the profile's [Glyphs] section hold edits: each edit set (an entry that reads as the
// same dots stays as it is written), each entry that reads as an edit no longer in edits
// deleted. Entries that do not read as edits stay for the user to mend; nothing else changes,
// so a project without edits gains no section.
void WriteGlyphSection(const GlyphEdits& edits, Profile& profile);

}  // namespace zemtra

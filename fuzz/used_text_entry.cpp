// Fuzzing what firmware files and source texts are read with: the characters of each kind of
// file, a font source's text (which the command line and [Sources] hold) and character ranges.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "base/code_spans.h"
#include "base/error.h"
#include "base/font_source.h"
#include "base/used_characters.h"
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_support.h"

namespace zemtra::fuzz {

// Input: one byte choosing the kind of file, then the text.
void FuzzUsedText(std::string_view data) {
    if (data.empty()) return;
    const auto kind = static_cast<UsedTextKind>(static_cast<unsigned char>(data[0]) % 7);
    const std::string_view text = data.substr(1);
    // Files that are not UTF-8 are refused before their texts are looked for.
    if (InvalidUtf8At(text) == std::string_view::npos) {
        const std::u32string used = UsedText(text, kind);
        Check(used.size() <= text.size(), "every character takes a byte of the text at least");
        for (char32_t c : used) {
            Check(c >= 0x20 && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF), "only characters");
        }
    }
    // The whole --chars-from path: a file of a suffix the input picks, its kind told from the
    // suffix and the text, refused when it is not UTF-8.
    static constexpr std::array<std::string_view, 10> kSuffixes{
        ".c", ".ino", ".po", ".json", ".ts", ".xliff", ".xml", ".txt", "", ".JSON"};
    static const std::filesystem::path folder = FreshScratchFolder("used_text");
    const std::filesystem::path file =
        folder /
        ("used" +
         std::string(kSuffixes[static_cast<unsigned char>(data[0]) / 7 % kSuffixes.size()]));
    WriteWholeFile(file, text);
    try {
        const std::vector<char32_t> characters = CharactersFromFiles({file});
        for (size_t i = 0; i < characters.size(); ++i) {
            Check(i == 0 || characters[i - 1] < characters[i], "distinct and ascending");
        }
    } catch (const UserError&) {
        Check(InvalidUtf8At(text) != std::string_view::npos,
              "only a text that is not UTF-8 is refused");
    }
    std::filesystem::remove(file);
    try {
        const FontSource source = ParseFontSource(text);
        Check(ParseFontSource(FontSourceText(source)) == source, "a source's text reads back");
    } catch (const UserError&) {
        // Named and refused: what the text may do.
    }
    try {
        const std::vector<CodeSpan> spans = ParseCodeSpans(text);
        Check(ParseCodeSpans(CodeSpansText(spans)) == spans, "ranges read back");
    } catch (const UserError&) {
    }
}

}  // namespace zemtra::fuzz

// Lines of a generated C source against its entries: in every scan mode, the words on the
// lines given to an entry are exactly that entry's words, and nothing else gets an entry.
#include "output/c_source_lines.h"

#include <gtest/gtest.h>

#include "base/unicode.h"
#include "output/c_source_writer.h"
#include "output/scan_decode.h"
#include "raster/glyph_renderer.h"

namespace zemtra {
namespace {

std::vector<std::u16string_view> Lines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    for (size_t begin = 0;;) {
        const size_t end = text.find(u'\n', begin);
        lines.push_back(text.substr(begin, end == text.npos ? text.npos : end - begin));
        if (end == text.npos) return lines;
        begin = end + 1;
    }
}

// Every "0x..." number of a line, header and fonttab lines included.
std::vector<uint32_t> Numbers(std::u16string_view line) {
    std::vector<uint32_t> numbers;
    for (size_t at = line.find(u"0x"); at != line.npos; at = line.find(u"0x", at + 2)) {
        const std::string digits = Utf16ToUtf8(line.substr(at + 2, 8));
        numbers.push_back(static_cast<uint32_t>(std::stoul("0" + digits, nullptr, 16)));
    }
    return numbers;
}

TEST(GlyphIndexAtLine, EachEntryOwnsExactlyTheLinesOfItsWords) {
    GlyphRenderer renderer;
    for (int32_t orient = 0; orient < 4; ++orient) {
        for (int32_t databit = 0; databit <= 4; ++databit) {
            ProjectSettings s;
            ApplyNew(s, false);
            s.BLOCKNUMX = u"10";  // the header's "10x10" reads as a number, too
            s.BLOCKNUMY = u"10";
            DeriveFontSize(s);
            s.ORIENT = orient;
            s.DATABIT = databit;
            RendererGlyphSource glyphs(renderer, s);
            StringTextWriter out;
            ASSERT_TRUE(WriteCSource(s, u"Ag,'\n", glyphs, out));
            const ParsedCSource parsed = ParseCSource(out.Text());
            std::vector<std::vector<uint32_t>> owned(parsed.glyphs.size());
            const auto lines = Lines(out.Text());
            for (size_t i = 0; i < lines.size(); ++i) {
                const std::optional<size_t> index = GlyphIndexAtLine(out.Text(), i);
                if (!index) continue;
                ASSERT_LT(*index, owned.size()) << "line " << i;
                for (uint32_t n : Numbers(lines[i])) owned[*index].push_back(n);
            }
            for (size_t k = 0; k < owned.size(); ++k) {
                EXPECT_EQ(owned[k], parsed.glyphs[k].words) << orient << databit << " entry " << k;
            }
            EXPECT_FALSE(GlyphIndexAtLine(out.Text(), lines.size()));
        }
    }
}

TEST(GlyphIndexAtLine, EntriesOnTheOpeningLineAndTextsWithoutAnArray) {
    const std::u16string text =
        u"//DataBits : 8bits\nconst unsigned char fontlib_1x2[] = {0x01,0x00, // 'x', 0\n};\n";
    EXPECT_EQ(GlyphIndexAtLine(text, 0), std::nullopt);
    EXPECT_EQ(GlyphIndexAtLine(text, 1), 0u);
    EXPECT_EQ(GlyphIndexAtLine(text, 2), std::nullopt);
    EXPECT_EQ(GlyphIndexAtLine(u"0x01, // 'x', 0\n", 0), std::nullopt);
}

}  // namespace
}  // namespace zemtra

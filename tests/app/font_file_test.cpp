// Font files by path: a bitmap font draws its own pixels at its own size, through the same
// sampling window; TrueType files and collections by face index.
#include "app/font_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/error.h"
#include "app/unicode.h"
#include "raster/font_engine.h"
#include "raster/glyph_renderer.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

// A tiny BDF font: 'A' on the baseline and 'g' with a descender, cell 5 x 8 (ascent 7).
constexpr char kTinyBdf[] =
    "STARTFONT 2.1\n"
    "FONT -zemtra-tiny-medium-r-normal--8-80-75-75-c-50-iso10646-1\n"
    "SIZE 8 75 75\n"
    "FONTBOUNDINGBOX 5 8 0 -1\n"
    "STARTPROPERTIES 4\n"
    "FONT_ASCENT 7\n"
    "FONT_DESCENT 1\n"
    "CHARSET_REGISTRY \"ISO10646\"\n"
    "CHARSET_ENCODING \"1\"\n"
    "ENDPROPERTIES\n"
    "CHARS 2\n"
    "STARTCHAR A\nENCODING 65\nSWIDTH 625 0\nDWIDTH 5 0\nBBX 5 7 0 0\nBITMAP\n"
    "20\n50\n88\n88\nF8\n88\n88\nENDCHAR\n"
    "STARTCHAR g\nENCODING 103\nSWIDTH 625 0\nDWIDTH 5 0\nBBX 4 5 0 -1\nBITMAP\n"
    "70\n90\n70\n10\nE0\nENDCHAR\n"
    "ENDFONT\n";

std::string Rows(const DotMatrix& m) {
    std::string text;
    for (int y = 0; y < m.Height(); ++y) {
        for (int x = 0; x < m.Width(); ++x) text += m.Lit(x, y) ? '#' : '.';
        text += '\n';
    }
    return text;
}

class FontFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(dir / "tiny.bdf", kTinyBdf);
        ApplyNew(s, false);
    }
    test::ScratchDir dir;
    ProjectSettings s;
    FontEngine fonts;
};

TEST_F(FontFileTest, BitmapFontRendersPixelExactAtItsOwnSize) {
    ChooseFontFile(s, Utf8ToUtf16((dir / "tiny.bdf").string()), 0, fonts);
    EXPECT_EQ(s.HEIGHT, u"8");  // the size fields show the font's own cell
    EXPECT_EQ(s.WIDTH, u"5");
    s.BLOCKNUMX = u"6";
    s.BLOCKNUMY = u"8";
    DeriveFontSizeFor(s, fonts);  // a matrix change keeps the bitmap font's size
    EXPECT_EQ(s.HEIGHT, u"8");
    GlyphRenderer renderer;
    DotMatrix m;
    renderer.RenderDotMatrix(s, u"A", &m);
    EXPECT_EQ(Rows(m),
              "..#...\n"
              ".#.#..\n"
              "#...#.\n"
              "#...#.\n"
              "#####.\n"
              "#...#.\n"
              "#...#.\n"
              "......\n");
    renderer.RenderDotMatrix(s, u"g", &m);
    EXPECT_EQ(Rows(m),
              "......\n"
              "......\n"
              "......\n"
              ".###..\n"
              "#..#..\n"
              ".###..\n"
              "...#..\n"
              "###...\n");
    // The offsets slide the same window over the font's own pixels.
    s.OFFSETX = 1;
    s.OFFSETY = -3;
    renderer.RenderDotMatrix(s, u"g", &m);
    EXPECT_EQ(Rows(m).substr(0, 7), "..###.\n");
}

TEST_F(FontFileTest, InstalledTerminusPcfKeepsItsSize) {
    const char* pcf = "/usr/share/fonts/X11/misc/ter-u16n_iso-8859-1.pcf.gz";
    if (!std::filesystem::exists(pcf)) GTEST_SKIP() << "xfonts-terminus is not installed";
    ChooseFontFile(s, Utf8ToUtf16(pcf), 0, fonts);
    EXPECT_EQ(s.HEIGHT, u"16");
    EXPECT_EQ(s.WIDTH, u"8");
    EXPECT_FALSE(fonts.HasOutlines(s.FONT));
    s.BLOCKNUMX = u"8";
    GlyphRenderer renderer;
    DotMatrix a, b;
    renderer.RenderDotMatrix(s, u"H", &a);
    s.FONT.Height = 40;  // a typed size cannot scale a bitmap font
    renderer.RenderDotMatrix(s, u"H", &b);
    EXPECT_EQ(a, b);
    int lit = 0;
    for (int y = 0; y < 16; ++y) lit += a.Lit(1, y);
    EXPECT_GE(lit, 8);  // H's left stem
}

// unifont.hex (package unifont) is an independent copy of the glyphs in unifont.pcf.gz
// (xfonts-unifont): each line is CODE:BITS, 8 x 16 or 16 x 16 dots, rows top to bottom.
struct HexGlyph {
    char32_t code;
    int width;
    std::string rows;  // '#'/'.' text as Rows() prints it
};

std::vector<HexGlyph> ReadUnifontHex(const char* path) {
    std::vector<HexGlyph> glyphs;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string bits = line.substr(colon + 1);
        const int width = bits.size() == 32 ? 8 : bits.size() == 64 ? 16 : 0;
        if (width == 0) continue;
        HexGlyph g{static_cast<char32_t>(std::stoul(line.substr(0, colon), nullptr, 16)), width,
                   {}};
        const int digitsPerRow = width / 4;
        for (int y = 0; y < 16; ++y) {
            const unsigned long row = std::stoul(bits.substr(y * digitsPerRow, digitsPerRow),
                                                 nullptr, 16);
            for (int x = 0; x < width; ++x) g.rows += (row >> (width - 1 - x)) & 1 ? '#' : '.';
            g.rows += '\n';
        }
        glyphs.push_back(std::move(g));
    }
    return glyphs;
}

// Renders every glyph of the hex file from a font file at the matrix of its own width and
// gives the codes whose dots differ.
std::vector<char32_t> Mismatches(const std::vector<HexGlyph>& hex, const std::string& fontPath,
                                 ProjectSettings s, FontEngine& fonts) {
    ChooseFontFile(s, Utf8ToUtf16(fontPath), 0, fonts);
    EXPECT_EQ(s.HEIGHT, u"16") << fontPath;
    s.BLOCKNUMY = u"16";
    GlyphRenderer renderer;
    DotMatrix m;
    std::vector<char32_t> wrong;
    for (const HexGlyph& g : hex) {
        // Controls and surrogates are not characters a list can hold.
        if (g.code < 0x20 || (g.code >= 0xD800 && g.code <= 0xDFFF)) continue;
        s.BLOCKNUMX = g.width == 8 ? u"8" : u"16";
        std::u16string text;
        if (g.code >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((g.code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((g.code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(g.code);
        }
        renderer.RenderDotMatrix(s, text, &m);
        if (Rows(m) != g.rows) wrong.push_back(g.code);
    }
    return wrong;
}

std::string Codes(const std::vector<char32_t>& codes) {
    std::string text;
    char buf[16];
    for (size_t i = 0; i < codes.size() && i < 20; ++i) {
        std::snprintf(buf, sizeof buf, " U+%04X", static_cast<unsigned>(codes[i]));
        text += buf;
    }
    return text;
}

TEST_F(FontFileTest, DebianUnifontPcfAndBdfMatchItsHexSourceDotForDot) {
    const char* hexPath = "/usr/share/unifont/unifont.hex";
    const char* pcf = "/usr/share/fonts/X11/misc/unifont.pcf.gz";
    if (!std::filesystem::exists(hexPath) || !std::filesystem::exists(pcf)) {
        GTEST_SKIP() << "unifont and xfonts-unifont are not installed";
    }
    const std::vector<HexGlyph> hex = ReadUnifontHex(hexPath);
    ASSERT_GT(hex.size(), 50000u);

    const std::vector<char32_t> pcfWrong = Mismatches(hex, pcf, s, fonts);
    EXPECT_TRUE(pcfWrong.empty()) << pcfWrong.size() << " glyphs differ:" << Codes(pcfWrong);

    // The same font as BDF text, converted by Debian's pcf2bdf.
    const std::string bdf = (dir / "unifont.bdf").string();
    const std::string convert =
        "gzip -dc " + std::string(pcf) + " | pcf2bdf -o " + bdf + " 2>/dev/null";
    if (std::system(convert.c_str()) != 0 || !std::filesystem::exists(bdf)) {
        GTEST_SKIP() << "pcf2bdf is not installed";
    }
    const std::vector<char32_t> bdfWrong = Mismatches(hex, bdf, s, fonts);
    EXPECT_TRUE(bdfWrong.empty()) << bdfWrong.size() << " glyphs differ:" << Codes(bdfWrong);
}

TEST_F(FontFileTest, OutlineFilesAndCollectionsByIndex) {
    const char* ttc = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
    ChooseFontFile(s, Utf8ToUtf16(ttc), 1, fonts);
    EXPECT_EQ(s.FONT.FontIndex, 1);
    EXPECT_EQ(s.HEIGHT, u"16");  // outlines follow the matrix as usual
    EXPECT_NE(fonts.ResolvedFace(s.FONT).find("(face 1)"), std::string::npos);
    GlyphRenderer renderer;
    DotMatrix m;
    renderer.RenderDotMatrix(s, u"中", &m);
    int lit = 0;
    for (int y = 0; y < m.Height(); ++y) {
        for (int x = 0; x < m.Width(); ++x) lit += m.Lit(x, y);
    }
    EXPECT_GT(lit, 10);
}

TEST_F(FontFileTest, MissingOrBrokenFilesAreClearErrors) {
    const ProjectSettings before = s;
    EXPECT_THROW(ChooseFontFile(s, u"/no/such/font.ttf", 0, fonts), UserError);
    test::WriteBytes(dir / "junk.ttf", "not a font at all");
    try {
        ChooseFontFile(s, Utf8ToUtf16((dir / "junk.ttf").string()), 0, fonts);
        FAIL() << "a broken font file was accepted";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("junk.ttf"), std::string::npos) << e.what();
    }
    EXPECT_EQ(s, before);  // nothing changed
}

}  // namespace
}  // namespace zemtra

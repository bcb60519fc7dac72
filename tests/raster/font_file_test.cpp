// Font files by path: a bitmap font draws its own pixels at its own size, through the same
// sampling window; TrueType files and collections by face index.
#include "raster/font_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/error.h"
#include "base/unicode.h"
#include "raster/font_engine.h"
#include "raster/glyph_renderer.h"
#include "support/font_fixtures.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

class FontFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteBytes(dir / "tiny.bdf", test::kTinyBdf);
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
    EXPECT_EQ(test::MatrixRows(m),
              "..#...\n"
              ".#.#..\n"
              "#...#.\n"
              "#...#.\n"
              "#####.\n"
              "#...#.\n"
              "#...#.\n"
              "......\n");
    renderer.RenderDotMatrix(s, u"g", &m);
    EXPECT_EQ(test::MatrixRows(m),
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
    EXPECT_EQ(test::MatrixRows(m).substr(0, 7), "..###.\n");
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

// Renders every glyph of the hex file from a font file at the matrix of its own width and
// gives the codes whose dots differ.
std::vector<char32_t> Mismatches(const std::vector<test::HexGlyph>& hex,
                                 const std::string& fontPath, ProjectSettings s,
                                 FontEngine& fonts) {
    ChooseFontFile(s, Utf8ToUtf16(fontPath), 0, fonts);
    EXPECT_EQ(s.HEIGHT, u"16") << fontPath;
    s.BLOCKNUMY = u"16";
    GlyphRenderer renderer;
    DotMatrix m;
    std::vector<char32_t> wrong;
    for (const test::HexGlyph& g : hex) {
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
        if (test::MatrixRows(m) != g.rows) wrong.push_back(g.code);
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
    const char* pcf = test::kUnifontPcf;
    if (!std::filesystem::exists(test::kUnifontHex) || !std::filesystem::exists(pcf)) {
        GTEST_SKIP() << "unifont and xfonts-unifont are not installed";
    }
    const std::vector<test::HexGlyph> hex = test::ReadUnifontHex();
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

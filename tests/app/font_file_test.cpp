// Font files by path: a bitmap font draws its own pixels at its own size, through the same
// sampling window; TrueType files and collections by face index.
#include "app/font_file.h"

#include <gtest/gtest.h>

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

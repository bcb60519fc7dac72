// The decode-back reader against the writers: every scan mode through PackGlyph, the C source
// text and the .dzk file comes back as the matrix that was rendered.
#include "output/scan_decode.h"

#include <gtest/gtest.h>

#include <random>

#include "base/error.h"
#include "base/unicode.h"
#include "output/c_source_writer.h"
#include "output/font_library.h"
#include "raster/glyph_renderer.h"
#include "support/font_fixtures.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

DotMatrix Random(int w, int h, std::mt19937& rng) {
    DotMatrix m(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) m.Set(x, y, rng() % 3 == 0);
    }
    return m;
}

TEST(UnpackGlyph, InvertsPackGlyphInEveryMode) {
    std::mt19937 rng(11);
    for (int32_t o = 0; o < 4; ++o) {
        for (int32_t dir = 0; dir < 2; ++dir) {
            for (int32_t pol = 0; pol < 2; ++pol) {
                for (int32_t dw = 0; dw <= 4; ++dw) {
                    for (auto [w, h] : {std::pair{1, 1}, {10, 3}, {3, 10}, {16, 16}, {33, 17}}) {
                        const DotMatrix m = Random(w, h, rng);
                        const ScanMode mode{o, dir, pol, dw};
                        EXPECT_EQ(UnpackGlyph(PackGlyph(m, mode, 0), mode, w, h, 0), m)
                            << o << dir << pol << dw << " " << w << "x" << h;
                    }
                }
            }
        }
    }
}

TEST(UnpackGlyph, WrongWordCountOrModeIsAnError) {
    EXPECT_THROW(UnpackGlyph({1, 2, 3}, ScanMode{}, 8, 2, 8), UserError);
    EXPECT_THROW(UnpackGlyph({1, 2}, ScanMode{-1, 0, 0, 0}, 8, 2, 8), UserError);
}

TEST(ParseCSource, EveryModeWrittenAndReadBackGivesTheRenderedMatrices) {
    GlyphRenderer renderer;
    const std::u16string text = u"Ag,'\n";
    for (int32_t o = 0; o < 4; ++o) {
        for (int32_t dir = 0; dir < 2; ++dir) {
            for (int32_t dw = 0; dw <= 4; ++dw) {
                ProjectSettings s = test::SizedSettings(12, 10);
                s.ORIENT = o;
                s.DIRECT = dir;
                s.FORMAT = (o + dw) % 2;
                s.DATABIT = dw;
                RendererGlyphSource glyphs(renderer, s);
                StringTextWriter out;
                ASSERT_TRUE(WriteCSource(s, text, glyphs, out));
                const ParsedCSource parsed = ParseCSource(out.Text());
                ASSERT_EQ(parsed.glyphs.size(), text.size());
                EXPECT_EQ(parsed.width, 12);
                EXPECT_EQ(parsed.bits, UnitBits(dw));
                for (size_t i = 0; i < text.size(); ++i) {
                    DotMatrix rendered;
                    renderer.RenderDotMatrix(s, text.substr(i, 1), &rendered);
                    EXPECT_EQ(parsed.glyphs[i].character, text.substr(i, 1));
                    EXPECT_EQ(parsed.glyphs[i].position, static_cast<int64_t>(i));
                    const ScanMode mode{s.ORIENT, s.DIRECT, s.FORMAT, s.DATABIT};
                    EXPECT_EQ(UnpackGlyph(parsed.glyphs[i].words, mode, 12, 10, parsed.bits),
                              rendered);
                }
            }
        }
    }
}

TEST(ParseCSource, MalformedTextIsRefusedWithAMessage) {
    for (const char16_t* bad :
         {u"", u"//DataBits : 8bits\r\nnothing", u"//DataBits : 7bits\r\nfontlib_8x2[] = {};",
          u"//DataBits : 8bits\r\nconst unsigned char fontlib_8x2[] = {\r\n\t0x18,0x24",
          u"//DataBits : 8bits\r\nconst unsigned char fontlib_8x2[] = {\r\n\t0x1FF  // 'A', "
          u"0\r\n};",
          u"//DataBits : 8bits\r\nconst unsigned char fontlib_0x2[] = {};"}) {
        EXPECT_THROW(ParseCSource(bad), UserError) << Utf16ToUtf8(bad);
    }
}

TEST(DecodeCSourceBytes, MarkedUtf16OrUtf8) {
    EXPECT_EQ(DecodeCSourceBytes(std::string("\xFF\xFE"
                                             "A\0\x4A\x55",
                                             6)),
              u"A啊");
    EXPECT_EQ(DecodeCSourceBytes("A\xE5\x95\x8A"), u"A啊");
}

TEST(ReadLibraryGlyph, RecordsOfEveryKindComeBackAsRendered) {
    test::ScratchDir dir;
    GlyphRenderer renderer;
    struct Case {
        int32_t kind;
        uint16_t from, to, probe;
        const char16_t* ch;
    };
    for (const Case& c :
         {Case{0, 0x0041, 0x005A, 0x0047, u"G"}, Case{2, 0xB0A1, 0xB1FE, 0xB0A1, u"啊"},
          Case{3, 0x817E, 0x82FE, 0x8180, u"亐"}, Case{4, 0xA440, 0xA4FE, 0xA441, u"乙"}}) {
        ProjectSettings s = test::SizedSettings(16, 16);
        s.FONT.FaceName = u"WenQuanYi Zen Hei";
        s.ORIENT = ColumnRow;
        s.FORMAT = Anode;
        s.CODEPAGE = c.kind;
        s.FROM = c.from;
        s.TO = c.to;
        const auto file = dir / "lib.dzk";
        BuildFontLibrary(s, file);
        DotMatrix rendered;
        renderer.RenderDotMatrix(s, c.ch, &rendered);
        EXPECT_EQ(ReadLibraryGlyph(file, s, c.probe), rendered) << c.kind;
        EXPECT_THROW(ReadLibraryGlyph(file, s, static_cast<uint16_t>(c.to + 1)), UserError);
    }
}

}  // namespace
}  // namespace zemtra

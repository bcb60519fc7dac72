// The font writers on glyphs made up for the purpose: LVGL's compression on runs around its
// counter's limits, the character maps on sets of every shape, GFX's gaps and limits, the BDF
// header's box; each read back by the C readers (support/font_readers) or from the text.
#include "output/font_export.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "base/error.h"
#include "support/font_readers.h"

namespace zemtra {
namespace {

ExportFontInfo Info(int bpp, bool compress = false) {
    ExportFontInfo info;
    info.name = "made_up";
    info.family = "Made Up";
    info.bpp = bpp;
    info.compress = compress;
    info.cellWidth = 8;
    info.cellHeight = 8;
    info.baseline = 6;
    info.ppem = 8;
    return info;
}

ExportGlyph Glyph(char16_t c, int32_t w, int32_t h, std::vector<uint8_t> levels, int32_t left = 0,
                  int32_t top = 6, int32_t advance = 8) {
    ExportGlyph g;
    g.character = c;
    g.width = w;
    g.height = h;
    g.left = left;
    g.top = top;
    g.advance = advance;
    g.levels = std::move(levels);
    return g;
}

std::string Write(ExportFormat format, const ExportFontInfo& info,
                  const std::vector<ExportGlyph>& glyphs,
                  const std::vector<KerningPair>& kerning = {}) {
    StringSink sink;
    auto writer = MakeFontExportWriter(format, info, sink);
    for (const ExportGlyph& g : glyphs) writer->Add(g);
    if (!kerning.empty()) writer->Kern(kerning);
    writer->Finish();
    return sink.text;
}

class FontWriters : public ::testing::Test {
  protected:
    test::ReadFont WriteAndReadLvgl(const ExportFontInfo& info,
                                    const std::vector<ExportGlyph>& glyphs,
                                    const std::string& cflags = "") {
        test::WriteBytes(dir / "font.c", Write(ExportFormat::Lvgl, info, glyphs));
        return test::ReadLvglFont(dir / "font.c", info.name, cflags);
    }
    test::ScratchDir dir;
};

// Rows of levels with runs of every length around the 11 repeat bits and the 6-bit counter.
std::vector<ExportGlyph> RunGlyphs(int bpp) {
    std::vector<ExportGlyph> glyphs;
    const uint8_t top = static_cast<uint8_t>(MaxLevel(bpp));
    char16_t c = 0x100;
    for (int run : {1, 2, 3, 10, 11, 12, 13, 62, 63, 64, 65, 74, 75, 76, 140, 300}) {
        // The run of one level inside others, and alone filling a glyph.
        std::vector<uint8_t> row;
        row.push_back(top);
        row.insert(row.end(), static_cast<size_t>(run), 1);
        row.push_back(top);
        row.push_back(0);
        const auto w = static_cast<int32_t>(row.size());
        std::vector<uint8_t> two = row;
        two.insert(two.end(), row.rbegin(), row.rend());  // the second row differs from the first
        glyphs.push_back(Glyph(c++, w, 2, two));
        glyphs.push_back(Glyph(c++, run, 1, std::vector<uint8_t>(static_cast<size_t>(run), top)));
    }
    // Equal rows (the prefilter makes them zero), a column, noise.
    glyphs.push_back(Glyph(c++, 3, 40, std::vector<uint8_t>(120, 2)));
    glyphs.push_back(Glyph(c++, 1, 17, std::vector<uint8_t>(17, top)));
    std::mt19937 random(7);
    std::vector<uint8_t> noise(37 * 23);
    for (uint8_t& v : noise) v = static_cast<uint8_t>(random() % 3 == 0 ? random() % (top + 1) : 0);
    glyphs.push_back(Glyph(c++, 37, 23, noise));
    glyphs.push_back(Glyph(c++, 0, 0, {}));
    return glyphs;
}

TEST_F(FontWriters, LvglCompressionReadsBackLevelForLevel) {
    for (int bpp : {2, 4}) {
        const std::vector<ExportGlyph> glyphs = RunGlyphs(bpp);
        // Boxes up to 303 dots wide: the large descriptors.
        const test::ReadFont f =
            WriteAndReadLvgl(Info(bpp, true), glyphs, "-DLV_FONT_FMT_TXT_LARGE=1");
        ASSERT_TRUE(f.ok) << f.error;
        EXPECT_EQ(f.bitmapFormat, 1);
        ASSERT_EQ(f.glyphs.size(), glyphs.size());
        for (const ExportGlyph& g : glyphs) {
            const test::ReadGlyph& r = f.glyphs.at(g.character);
            ASSERT_EQ(r.width, g.width);
            ASSERT_EQ(r.height, g.height);
            EXPECT_EQ(r.levels, std::vector<int>(g.levels.begin(), g.levels.end()))
                << bpp << " bits, U+" << std::hex << static_cast<int>(g.character);
        }
    }
    // Long runs cost a few bits, not a level each: 300 equal levels in a tenth of 150 bytes.
    const std::string compressed =
        LvglCompressedBitmap(std::vector<uint8_t>(300, 15).data(), 300, 1, 4);
    EXPECT_LE(compressed.size(), 15u);
}

TEST_F(FontWriters, PlainLvglBitmapsAtEveryDepth) {
    for (int bpp : {1, 2, 4, 8}) {
        std::vector<ExportGlyph> glyphs;
        std::mt19937 random(static_cast<unsigned>(bpp));
        for (char16_t c = u'A'; c <= u'J'; ++c) {
            const auto w = static_cast<int32_t>(1 + random() % 13);
            const auto h = static_cast<int32_t>(1 + random() % 9);
            std::vector<uint8_t> levels(static_cast<size_t>(w * h));
            for (uint8_t& v : levels) v = static_cast<uint8_t>(random() % (MaxLevel(bpp) + 1));
            glyphs.push_back(Glyph(c, w, h, levels, static_cast<int32_t>(random() % 5) - 2,
                                   static_cast<int32_t>(random() % 9) - 2,
                                   static_cast<int32_t>(random() % 20)));
        }
        const test::ReadFont f = WriteAndReadLvgl(Info(bpp), glyphs);
        ASSERT_TRUE(f.ok) << f.error;
        EXPECT_EQ(f.bitmapFormat, 0);
        EXPECT_EQ(f.lineHeight, 8);
        EXPECT_EQ(f.baselineRow, 6);
        for (const ExportGlyph& g : glyphs) {
            const test::ReadGlyph& r = f.glyphs.at(g.character);
            EXPECT_EQ(r.levels, std::vector<int>(g.levels.begin(), g.levels.end())) << bpp;
            EXPECT_EQ(r.left, g.left);
            EXPECT_EQ(r.top, g.top);
            EXPECT_EQ(r.advance, g.advance);
        }
    }
}

TEST_F(FontWriters, LvglCharacterMapsFindExactlyTheCharacters) {
    // Sets shaped as ranges, short runs between long ones, scattered codes, codes far apart.
    const std::vector<std::vector<char16_t>> sets = [] {
        std::vector<std::vector<char16_t>> s(6);
        for (char16_t c = 0x20; c <= 0x7E; ++c) s[0].push_back(c);
        for (char16_t c : {u'A', u'C', u'E', u'\u0100'}) s[1].push_back(c);
        for (char16_t c = 0x30; c < 0x50; ++c) s[2].push_back(c);
        for (char16_t c : {u'`', u'a', u'c', u'p'}) s[2].push_back(c);
        for (char16_t c = 0x80; c < 0x100; ++c) s[2].push_back(c);
        for (char16_t c = 1; c < 0xD800; c = static_cast<char16_t>(c + 97)) s[3].push_back(c);
        s[4] = {0x0001, 0xFFFF};
        s[5] = {0x0001, 0x0002, 0x0003, 0xF000, 0xFFFE, 0xFFFF};
        return s;
    }();
    for (const std::vector<char16_t>& set : sets) {
        std::vector<ExportGlyph> glyphs;
        for (char16_t c : set) glyphs.push_back(Glyph(c, 1, 1, {1}, 0, 1, c % 7));
        const test::ReadFont f = WriteAndReadLvgl(Info(1), glyphs);
        ASSERT_TRUE(f.ok) << f.error;
        std::vector<char16_t> mapped;
        for (const auto& [code, g] : f.glyphs) {
            mapped.push_back(static_cast<char16_t>(code));
            EXPECT_EQ(g.advance, code % 7);  // each code finds its own glyph
        }
        EXPECT_EQ(mapped, set);
    }
    // A run of 95 needs no list; four scattered codes share one.
    const std::string ascii = Write(ExportFormat::Lvgl, Info(1), [&] {
        std::vector<ExportGlyph> g;
        for (char16_t c : sets[0]) g.push_back(Glyph(c, 1, 1, {1}));
        return g;
    }());
    EXPECT_NE(ascii.find(".cmap_num = 1,"), std::string::npos);
    EXPECT_EQ(ascii.find("unicode_list_"), std::string::npos);
    const std::string scattered = Write(ExportFormat::Lvgl, Info(1), [&] {
        std::vector<ExportGlyph> g;
        for (char16_t c : sets[1]) g.push_back(Glyph(c, 1, 1, {1}));
        return g;
    }());
    EXPECT_NE(scattered.find(".cmap_num = 1,"), std::string::npos);
    EXPECT_NE(scattered.find("LV_FONT_FMT_TXT_CMAP_SPARSE_TINY"), std::string::npos);
}

// LVGL kerning read back as LVGL adds it: pairs where they are the smaller table, classes where
// many glyphs kern alike, 16-bit ids past 255 glyphs, a scale for adjustments beyond a byte.
TEST_F(FontWriters, LvglKerningReadsBackPairForPair) {
    using Kerned = std::map<std::pair<char32_t, char32_t>, int>;
    struct Case {
        const char* what;
        int glyphs;                      // U+0100 upwards
        std::vector<KerningPair> pairs;  // given to the writer
        Kerned read;                     // what LVGL adds, in sixteenths
        const char* layout;              // in the font's descriptor
    };
    // 20 x 20 glyphs that all kern by the same amount: one class each side beats 400 pairs.
    std::vector<KerningPair> alike;
    Kerned alikeRead;
    for (char32_t l = 0x100; l < 0x114; ++l) {
        for (char32_t r = 0x120; r < 0x134; ++r) {
            alike.push_back({l, r, -7});
            alikeRead[{l, r}] = -7;
        }
    }
    const std::vector<Case> cases = {
        {"three pairs",
         8,
         {{0x100, 0x101, -19}, {0x100, 0x105, 3}, {0x104, 0x100, -28}},
         {{{0x100, 0x101}, -19}, {{0x100, 0x105}, 3}, {{0x104, 0x100}, -28}},
         ".kern_classes = 0"},
        {"alike", 0x40, alike, alikeRead, ".kern_classes = 1"},
        {"ids past 255",
         300,
         {{0x100, 0x22B, -5}, {0x22B, 0x100, 6}},
         {{{0x100, 0x22B}, -5}, {{0x22B, 0x100}, 6}},
         ".glyph_ids_size = 1"},
        // 300 / 16 dots needs kern_scale 38: stored 126, read 126 * 38 >> 4 = 299; -16 is
        // stored -7 and read -266 >> 4 = -17 (the shift rounds down).
        {"beyond a byte",
         4,
         {{0x100, 0x101, 300}, {0x101, 0x100, -16}},
         {{{0x100, 0x101}, 299}, {{0x101, 0x100}, -17}},
         ".kern_scale = 38"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<ExportGlyph> glyphs;
        for (int i = 0; i < c.glyphs; ++i) {
            glyphs.push_back(Glyph(static_cast<char16_t>(0x100 + i), 1, 1, {1}));
        }
        const std::string text = Write(ExportFormat::Lvgl, Info(1), glyphs, c.pairs);
        EXPECT_NE(text.find(c.layout), std::string::npos);
        test::WriteBytes(dir / "kern.c", text);
        const test::ReadFont f = test::ReadLvglFont(dir / "kern.c", "made_up");
        ASSERT_TRUE(f.ok) << f.error;
        EXPECT_EQ(f.kerning, c.read);
    }
    // Formats without a place for kerning write the same bytes with or without it.
    for (ExportFormat format : {ExportFormat::Bdf, ExportFormat::AdafruitGfx}) {
        const std::vector<ExportGlyph> two = {Glyph(u'A', 1, 1, {1}), Glyph(u'V', 1, 1, {1})};
        EXPECT_EQ(Write(format, Info(1), two, {{U'A', U'V', -19}}), Write(format, Info(1), two));
    }
}

// u8g2 keeps a glyph's code in at most 254 bytes: a checkerboard of 120 x 120 dots needs far more
// and is refused by name, also when it is one of many glyphs coded on every core.
TEST_F(FontWriters, U8g2RefusesAGlyphItsRecordCannotHold) {
    std::vector<uint8_t> board(120 * 120);
    for (size_t i = 0; i < board.size(); ++i) board[i] = ((i % 120) + (i / 120)) % 2;
    for (const size_t others : {0u, 1500u}) {
        std::vector<ExportGlyph> glyphs;
        for (size_t i = 0; i < others; ++i) {
            glyphs.push_back(Glyph(static_cast<char16_t>(0x4E00 + i), 1, 1, {1}));
        }
        glyphs.push_back(Glyph(u'\uE000', 120, 120, board, 0, 100, 120));
        try {
            Write(ExportFormat::U8g2, Info(1), glyphs);
            ADD_FAILURE() << "a checkerboard glyph was written";
        } catch (const UserError& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with("The glyph of U+E000 takes "))
                << e.what();
        }
    }
}

// The in-process decoders (the writers' fuzz target reads with them) agree with the compiled
// readers, and a GFX font without glyphs still has the entry GFX reads at first.
TEST_F(FontWriters, DecodersInTheProcessReadAsTheCompiledReaders) {
    const struct {
        std::vector<ExportGlyph> glyphs;
        size_t entries;
    } cases[] = {
        {{Glyph(u'A', 3, 2, {1, 0, 1, 0, 1, 0}, -1, 5, 4), Glyph(u'D', 2, 1, {1, 1}, 0, 0, 3)}, 4},
        {{Glyph(u'g', 2, 3, {0, 1, 1, 1, 0, 1}, 0, 1, 3)}, 1},
        {{Glyph(u'\u00C0', 12, 2, std::vector<uint8_t>(24, 1), -1, 3, 12),
          Glyph(u'\u00F0', 3, 3, {1, 1, 1, 0, 0, 0, 1, 1, 1}, 0, 0, 4)},
         49},
        {{}, 1},
    };
    for (const auto& c : cases) {
        const std::string gfx = Write(ExportFormat::AdafruitGfx, Info(1), c.glyphs);
        test::WriteBytes(dir / "g.h", gfx);
        const test::ReadFont compiled = test::ReadGfxFont(dir / "g.h", "made_up");
        const test::ReadFont decoded = test::DecodeGfx(gfx, "made_up");
        ASSERT_TRUE(compiled.ok) << compiled.error;
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(decoded.glyphs.size(), c.entries);
        EXPECT_EQ(decoded.lineHeight, compiled.lineHeight);
        ASSERT_EQ(decoded.glyphs.size(), compiled.glyphs.size());
        for (const auto& [code, g] : compiled.glyphs) {
            const test::ReadGlyph& d = decoded.glyphs.at(code);
            EXPECT_EQ(std::tie(d.advance, d.left, d.top, d.width, d.height, d.levels),
                      std::tie(g.advance, g.left, g.top, g.width, g.height, g.levels));
        }
        for (const ExportFontInfo& info : {Info(1), Info(4, true), Info(2, true), Info(8)}) {
            const std::string lvgl = Write(ExportFormat::Lvgl, info, c.glyphs);
            const std::string bin = Write(ExportFormat::LvglBin, info, c.glyphs);
            test::WriteBytes(dir / "l.c", lvgl);
            test::WriteBytes(dir / "l.bin", bin);
            const std::pair<test::ReadFont, test::ReadFont> pairs[] = {
                {test::ReadLvglFont(dir / "l.c", "made_up"), test::DecodeLvgl(lvgl, "made_up")},
                {test::ReadLvglBinFont(dir / "l.bin"), test::DecodeLvglBin(bin)}};
            for (const auto& [viaCompiler, inProcess] : pairs) {
                ASSERT_TRUE(viaCompiler.ok) << viaCompiler.error;
                ASSERT_TRUE(inProcess.ok) << inProcess.error;
                EXPECT_EQ(
                    std::tie(inProcess.lineHeight, inProcess.baselineRow, inProcess.bpp),
                    std::tie(viaCompiler.lineHeight, viaCompiler.baselineRow, viaCompiler.bpp));
                ASSERT_EQ(inProcess.glyphs.size(), viaCompiler.glyphs.size());
                for (const auto& [code, g] : viaCompiler.glyphs) {
                    const test::ReadGlyph& d = inProcess.glyphs.at(code);
                    EXPECT_EQ(std::tie(d.advance, d.left, d.top, d.width, d.height, d.levels),
                              std::tie(g.advance, g.left, g.top, g.width, g.height, g.levels));
                }
            }
        }
        const std::string u8g2 = Write(ExportFormat::U8g2, Info(1), c.glyphs);
        test::WriteBytes(dir / "u.c", u8g2);
        const test::ReadFont viaCompiler = test::ReadU8g2Font(dir / "u.c", "made_up");
        const test::ReadFont inProcess = test::DecodeU8g2(test::U8g2SourceBytes(u8g2, "made_up"));
        ASSERT_TRUE(viaCompiler.ok) << viaCompiler.error;
        EXPECT_EQ(inProcess.glyphs.size(), viaCompiler.glyphs.size());
    }
}

TEST_F(FontWriters, GfxFillsTheGapsAndKeepsToItsLimits) {
    const std::vector<ExportGlyph> glyphs = {Glyph(u'A', 3, 2, {1, 0, 1, 0, 1, 0}, 1, 5, 4),
                                             Glyph(u'D', 2, 1, {1, 1}, 0, 0, 3)};
    test::WriteBytes(dir / "f.h", Write(ExportFormat::AdafruitGfx, Info(1), glyphs));
    const test::ReadFont f = test::ReadGfxFont(dir / "f.h", "made_up");
    ASSERT_TRUE(f.ok) << f.error;
    EXPECT_EQ(f.lineHeight, 8);  // yAdvance
    ASSERT_EQ(f.glyphs.size(), 4u);
    EXPECT_EQ(f.glyphs.at(U'A').levels, (std::vector<int>{1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(f.glyphs.at(U'A').top, 5);
    EXPECT_EQ(f.glyphs.at(U'A').left, 1);
    EXPECT_EQ(f.glyphs.at(U'D').levels, (std::vector<int>{1, 1}));
    for (char32_t gap : {U'B', U'C'}) {
        const test::ReadGlyph& g = f.glyphs.at(gap);
        EXPECT_EQ(g.width + g.height + g.advance, 0);
    }

    StringSink sink;
    auto writer = MakeFontExportWriter(ExportFormat::AdafruitGfx, Info(1), sink);
    EXPECT_THROW(writer->Add(Glyph(u'A', 1, 1, {1}, 0, 1, 256)), UserError);
    EXPECT_THROW(writer->Add(Glyph(u'\u0100', 1, 1, {1})), UserError);
    // Past 64 KB of bitmaps the next glyph has no offset.
    const ExportGlyph big = Glyph(u'A', 255, 255, std::vector<uint8_t>(255 * 255, 1));
    writer->Add(big);
    for (char16_t c = u'B'; c < u'J'; ++c) {
        ExportGlyph next = big;
        next.character = c;
        writer->Add(next);
    }
    ExportGlyph last = big;
    last.character = u'J';
    EXPECT_THROW(writer->Add(last), UserError);
}

// The numbers after a BDF keyword in the text.
std::vector<int> Numbers(const std::string& text, const std::string& keyword) {
    std::vector<int> all;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(keyword + " ", 0) != 0) continue;
        std::istringstream words(line.substr(keyword.size()));
        for (int v; words >> v;) all.push_back(v);
    }
    return all;
}

TEST_F(FontWriters, BdfHeaderCountsTheGlyphsAndBoxesTheirUnion) {
    const std::vector<ExportGlyph> glyphs = {Glyph(u'A', 3, 2, {1, 0, 1, 0, 1, 0}, -1, 5, 4),
                                             Glyph(u'g', 2, 4, {1, 1, 1, 1, 1, 1, 1, 1}, 2, 1, 3),
                                             Glyph(u' ', 0, 0, {}, 0, 0, 5)};
    const std::string bdf = Write(ExportFormat::Bdf, Info(1), glyphs);
    EXPECT_EQ(Numbers(bdf, "CHARS"), std::vector<int>{3});
    // Boxes: A x -1..2, y 3..5; g x 2..4, y -3..1; the space has none.
    EXPECT_EQ(Numbers(bdf, "FONTBOUNDINGBOX"), (std::vector<int>{5, 8, -1, -3}));
    EXPECT_EQ(Numbers(bdf, "BBX"), (std::vector<int>{3, 2, -1, 3, 2, 4, 2, -3, 0, 0, 0, 0}));
    EXPECT_EQ(Numbers(bdf, "FONT_ASCENT"), std::vector<int>{6});
    EXPECT_EQ(Numbers(bdf, "FONT_DESCENT"), std::vector<int>{2});
    EXPECT_EQ(Numbers(bdf, "AVERAGE_WIDTH"), std::vector<int>{40});
    EXPECT_NE(bdf.find("FAMILY_NAME \"Made Up\"\n"), std::string::npos);
    EXPECT_TRUE(bdf.ends_with("ENDCHAR\nENDFONT\n"));
}

// A face's name is the font file's to choose: it must neither end the C comment nor start a
// line of its own in any format.
TEST_F(FontWriters, HostileFaceNamesStayInsideTheirComment) {
    ExportFontInfo info = Info(1);
    info.sources = {{"Evil */ int x; /*\nSTARTCHAR", 2}, {std::string(kHandEditedSource), 1}};
    info.family = "Evil */ int y; /*\nSTARTCHAR";
    const std::vector<ExportGlyph> glyphs = {Glyph(u'A', 1, 1, {1}, 0, 1, 2)};
    struct Case {
        ExportFormat format;
        const char* line;
    };
    for (const Case& c :
         {Case{ExportFormat::Bdf,
               "COMMENT glyphs: 2 from Evil *_ int x; /__STARTCHAR, 1 edited by "
               "hand\n"},
          Case{ExportFormat::Lvgl,
               " * Glyphs: 2 from Evil *_ int x; /__STARTCHAR, 1 edited by "
               "hand.\n"},
          Case{ExportFormat::AdafruitGfx,
               " * Glyphs: 2 from Evil *_ int x; /__STARTCHAR, 1 edited "
               "by hand.\n"},
          // The family, which the headers name, too.
          Case{ExportFormat::Lvgl,
               "/* made_up: an LVGL 9 font made by Zemtra from Evil *_ int y; "
               "/__STARTCHAR, 8 x 8 dots"},
          Case{ExportFormat::U8g2,
               "/* made_up: a u8g2 font made by Zemtra from Evil *_ int y; "
               "/__STARTCHAR, 8 x 8 dots"},
          Case{ExportFormat::Bdf, "\nFAMILY_NAME \"Evil */ int y; /*_STARTCHAR\"\n"}}) {
        const std::string text = Write(c.format, info, glyphs);
        EXPECT_NE(text.find(c.line), std::string::npos) << text.substr(0, 300);
    }
    test::WriteBytes(dir / "font.c", Write(ExportFormat::Lvgl, info, glyphs));
    EXPECT_TRUE(test::ReadLvglFont(dir / "font.c", info.name).ok);
    test::WriteBytes(dir / "u8g2.c", Write(ExportFormat::U8g2, info, glyphs));
    EXPECT_TRUE(test::ReadU8g2Font(dir / "u8g2.c", info.name).ok);
}

TEST(CIdentifiers, NamesAndNamesMadeFromFiles) {
    for (const char* good : {"font", "_x", "Font16_b", "lv_font_simsun_16"}) {
        EXPECT_TRUE(IsCIdentifier(good)) << good;
    }
    for (const char* bad : {"", "1font", "my-font", "a b", "ä", "int", "class", "new", "_Bool"}) {
        EXPECT_FALSE(IsCIdentifier(bad)) << bad;
    }
    EXPECT_EQ(CIdentifierFrom("hz16"), "hz16");
    EXPECT_EQ(CIdentifierFrom("16x16 font"), "_16x16_font");
    EXPECT_EQ(CIdentifierFrom("for"), "_for");
    EXPECT_EQ(CIdentifierFrom(""), "font");
    EXPECT_EQ(CIdentifierFrom("字库"), "______");  // six UTF-8 bytes
}

}  // namespace
}  // namespace zemtra

// The export job end to end: each format written, read back by a reader that does not share the
// writer's code (FreeType's BDF and PCF drivers, bdftopcf, the C readers compiled with the
// exported sources), and every glyph placed on its line compared with what the renderer makes
// of the same settings: RenderDotMatrix's matrix at one bit, the quantised coverage at more.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>

#include "base/error.h"
#include "base/unicode.h"
#include "jobs/jobs.h"
#include "raster/font_file.h"
#include "raster/glyph_renderer.h"
#include "raster/new_project.h"
#include "support/font_fixtures.h"
#include "support/font_readers.h"
#include "support/font_readers_freetype.h"

namespace zemtra {
namespace {

using test::ReadFont;
using test::ReadGlyph;

// Latin letters with and without descenders, digits, punctuation, Latin-1, a space, CJK through
// the linked pixel faces, and two noncharacters no face has.
const std::u16string kMixed = u"AgjMiW0.,;~ ÅßÉé中文字あ\uFFFE\uFFFF";

class ExportDecode : public ::testing::Test {
  protected:
    void SetUp() override { test::ArialOnMatrix(s, 16, 16); }

    // Runs the job into the scratch folder; a text job without a text takes kMixed.
    ExportResult Export(ExportJob job, const std::string& file) {
        job.target = dir / file;
        if (job.characters == ExportCharacters::Text && job.text.empty()) job.text = kMixed;
        return RunJob(s, job, {});
    }

    // The baseline's row of the settings' window, worked out here from the font's ascent and
    // the offset, not taken from the job. The pen stands at the window's left edge, whatever the
    // offsets: a glyph placed there is what show prints.
    int BaselineRow() {
        GlyphRenderer r;
        return r.Fonts().Metrics(s.FONT).ascent + s.OFFSETY;
    }

    // Every character of the set that some face has is in the font, placed on its line exactly
    // as the renderer draws it; the others are not.
    void ExpectSameAsRenderer(const ReadFont& f, const std::u16string& set, int bpp,
                              bool monospace = false) {
        ASSERT_TRUE(f.ok) << f.error;
        const int w = MatrixWidth(s);
        const int h = MatrixHeight(s);
        EXPECT_EQ(f.lineHeight, h);
        EXPECT_EQ(f.baselineRow, BaselineRow());
        GlyphRenderer renderer;
        size_t expected = 0;
        for (char16_t c : set) {
            const bool drawn = renderer.Fonts().HasCharacter(s.FONT, c);
            const auto it = f.glyphs.find(c);
            ASSERT_EQ(it != f.glyphs.end(), drawn) << "U+" << std::hex << int{c};
            if (!drawn) continue;
            ++expected;
            DotMatrix m;
            renderer.RenderDotMatrix(s, std::u16string(1, c), &m);
            const int advance = renderer.CharacterInk().advance;
            std::vector<int> want = test::MatrixLevels(m);
            if (bpp > 1) {
                DotMatrix coverage;
                renderer.RenderCoverage(s, c, coverage);
                want = test::MatrixLevels(coverage);
                for (int& v : want) v = static_cast<int>(std::lround(v * ((1 << bpp) - 1) / 255.0));
            }
            const ReadGlyph& g = it->second;
            const std::vector<int> got = test::OnWindow(g, w, h, 0, f.baselineRow);
            EXPECT_EQ(got, want) << "U+" << std::hex << int{c} << "\n"
                                 << test::LevelRows(got, w) << "---\n"
                                 << test::LevelRows(want, w);
            EXPECT_EQ(g.advance, monospace ? w : advance) << "U+" << std::hex << int{c};
            if (monospace) {
                EXPECT_EQ(g.width, w);
                EXPECT_EQ(g.height, h);
                EXPECT_EQ(g.left, 0);
                EXPECT_EQ(g.top, f.baselineRow);
            } else if (g.width > 0) {
                // Cropped to the ink: no blank edge row or column.
                const auto level = [&](int x, int y) { return g.levels[y * g.width + x]; };
                int top = 0, bottom = 0, left = 0, right = 0;
                for (int x = 0; x < g.width; ++x)
                    top += level(x, 0), bottom += level(x, g.height - 1);
                for (int y = 0; y < g.height; ++y)
                    left += level(0, y), right += level(g.width - 1, y);
                EXPECT_TRUE(top && bottom && left && right) << "U+" << std::hex << int{c};
            }
        }
        EXPECT_EQ(f.glyphs.size(), expected);
    }

    // Two reads of one font: the same characters, each glyph the same in every field.
    static void ExpectSameGlyphs(const ReadFont& a, const ReadFont& b) {
        ASSERT_EQ(a.glyphs.size(), b.glyphs.size());
        for (const auto& [c, g] : b.glyphs) {
            ASSERT_TRUE(a.glyphs.count(c)) << "U+" << std::hex << int(c);
            const ReadGlyph& x = a.glyphs.at(c);
            EXPECT_EQ(std::tie(x.advance, x.left, x.top, x.width, x.height, x.levels),
                      std::tie(g.advance, g.left, g.top, g.width, g.height, g.levels))
                << "U+" << std::hex << int(c);
        }
    }

    test::ScratchDir dir;
    ProjectSettings s;
};

// Placed on its cell (the pen at the window's left edge, the baseline on the font's row) a
// proportional glyph is what show prints, for offsets either way: Liberation Mono 10 x 20, whose
// cell the offsets push partly out of the window.
TEST_F(ExportDecode, OffsetsMoveTheGlyphOnItsCellAsInShow) {
    s.FONT.FaceName = u"Liberation Mono";
    s.BLOCKNUMX = u"10";
    s.BLOCKNUMY = u"20";
    DeriveFontSize(s);
    ExportJob job;
    job.characters = ExportCharacters::Text;
    job.text = u"AgW|_";
    job.format = ExportFormat::Bdf;
    for (int dx : {-2, -1, 0, 1, 2, 3}) {
        for (int dy : {-2, 0, 3}) {
            SCOPED_TRACE(testing::Message() << "offset " << dx << "," << dy);
            s.OFFSETX = dx;
            s.OFFSETY = dy;
            ASSERT_EQ(Export(job, "offset.bdf").outcome, JobOutcome::Done);
            ExpectSameAsRenderer(test::ReadWithFreeType(dir / "offset.bdf"), job.text, 1);
        }
    }
    // The case the fault was seen with: at offset 3 "|" lies 3 dots further right of the pen
    // than without an offset (the font's own bearing dropped the offset).
    int left[2] = {};
    for (int i = 0; i < 2; ++i) {
        s.OFFSETX = i == 0 ? 0 : 3;
        ASSERT_EQ(Export(job, "offset.bdf").outcome, JobOutcome::Done);
        const test::ReadFont f = test::ReadWithFreeType(dir / "offset.bdf");
        ASSERT_EQ(f.glyphs.count(U'|'), 1u);
        left[i] = f.glyphs.at(U'|').left;
    }
    EXPECT_EQ(left[1], left[0] + 3);
}

TEST_F(ExportDecode, OneBitGlyphsOnTheirLineAreTheMatrixInEveryFormat) {
    // Offsets move the window over the cell; bold changes shapes and advances.
    s.OFFSETX = 1;
    s.OFFSETY = -1;
    s.FONT.Weight = 700;
    ExportJob job;
    job.characters = ExportCharacters::Text;

    job.format = ExportFormat::Bdf;
    const ExportResult bdf = Export(job, "f.bdf");
    EXPECT_EQ(bdf.outcome, JobOutcome::Done);
    EXPECT_EQ(bdf.lacking, 2u);
    EXPECT_EQ(bdf.firstLacking, u"\uFFFE\uFFFF");
    ExpectSameAsRenderer(test::ReadWithFreeType(dir / "f.bdf"), kMixed, 1);

    job.format = ExportFormat::Lvgl;
    job.name = "mixed";
    Export(job, "f.c");
    ExpectSameAsRenderer(test::ReadLvglFont(dir / "f.c", "mixed"), kMixed, 1);

    std::u16string latin;
    for (char16_t c : kMixed) latin += c <= 0xFF ? std::u16string(1, c) : u"";
    job.format = ExportFormat::AdafruitGfx;
    job.text = latin;
    Export(job, "f.h");
    const ReadFont gfx = test::ReadGfxFont(dir / "f.h", "mixed");
    // GFX has no baseline of its own: the line's top is the yAdvance's baseline less its top.
    ReadFont placed = gfx;
    placed.baselineRow = BaselineRow();
    // Codes between the characters are empty, with no advance.
    for (char32_t c = 0x20; c <= 0xFF; ++c) {
        if (latin.find(static_cast<char16_t>(c)) != std::u16string::npos) continue;
        const auto it = placed.glyphs.find(c);
        if (it == placed.glyphs.end()) continue;
        EXPECT_EQ(it->second.width + it->second.height + it->second.advance, 0) << int(c);
        placed.glyphs.erase(it);
    }
    ExpectSameAsRenderer(placed, latin, 1);
}

TEST_F(ExportDecode, GreyLevelsAreTheCoverageRoundedToTheLevels) {
    s.BLOCKNUMX = u"24";
    s.BLOCKNUMY = u"24";
    DeriveFontSize(s);
    ExportJob job;
    job.format = ExportFormat::Lvgl;
    job.name = "grey";
    job.characters = ExportCharacters::Text;
    for (int bpp : {2, 4, 8}) {
        for (bool compress : {false, true}) {
            if (compress && bpp == 8) continue;
            job.bpp = bpp;
            job.compress = compress;
            const std::string file = "g" + std::to_string(bpp) + (compress ? "c" : "") + ".c";
            ASSERT_EQ(Export(job, file).outcome, JobOutcome::Done);
            const ReadFont f = test::ReadLvglFont(dir / file, "grey");
            EXPECT_EQ(f.bpp, bpp);
            EXPECT_EQ(f.bitmapFormat, compress ? 1 : 0);
            ExpectSameAsRenderer(f, kMixed, bpp);
        }
    }
}

TEST_F(ExportDecode, GreyCoverageFollowsTheInkOfTheSameFace) {
    // Where the mono rendering has a wide stem, the anti-aliased one covers it too: both come
    // from the face that draws the character at the same size and place.
    GlyphRenderer renderer;
    for (char16_t c : std::u16string(u"HIl|中")) {
        DotMatrix mono, coverage;
        renderer.RenderDotMatrix(s, std::u16string(1, c), &mono);
        renderer.RenderCoverage(s, c, coverage);
        int lit = 0, covered = 0;
        for (int y = 0; y < mono.Height(); ++y) {
            for (int x = 0; x < mono.Width(); ++x) {
                if (!mono.Lit(x, y)) continue;
                ++lit;
                covered += coverage.Row(y)[x] > 0 ? 1 : 0;
            }
        }
        ASSERT_GT(lit, 0);
        EXPECT_GE(covered * 10, lit * 8) << "U+" << std::hex << int{c};
    }
}

TEST_F(ExportDecode, MonospaceKeepsTheWholeMatrixAndAdvancesItsWidth) {
    s.OFFSETX = 2;
    ExportJob job;
    job.characters = ExportCharacters::Text;
    job.monospace = true;
    job.format = ExportFormat::Bdf;
    Export(job, "m.bdf");
    ExpectSameAsRenderer(test::ReadWithFreeType(dir / "m.bdf"), kMixed, 1, true);
    job.format = ExportFormat::Lvgl;
    job.bpp = 4;
    job.name = "mono";
    Export(job, "m.c");
    ExpectSameAsRenderer(test::ReadLvglFont(dir / "m.c", "mono"), kMixed, 4, true);
}

TEST_F(ExportDecode, BdftopcfTakesTheBdfAndThePcfHoldsTheSameGlyphs) {
    if (std::system("command -v bdftopcf >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "bdftopcf (xfonts-utils) is not installed";
    }
    ExportJob job;
    job.characters = ExportCharacters::Ranges;
    job.ranges = {{0x20, 0x7E}, {0x4E00, 0x4E3F}};
    job.format = ExportFormat::Bdf;
    ASSERT_EQ(Export(job, "r.bdf").outcome, JobOutcome::Done);
    std::string out;
    ASSERT_EQ(test::RunCommand("bdftopcf -o " + test::ShellQuote((dir / "r.pcf").string()) + " " +
                                   test::ShellQuote((dir / "r.bdf").string()),
                               out),
              0)
        << out;
    EXPECT_EQ(out, "");  // no complaint either
    const ReadFont bdf = test::ReadWithFreeType(dir / "r.bdf");
    const ReadFont pcf = test::ReadWithFreeType(dir / "r.pcf");
    ASSERT_TRUE(bdf.ok && pcf.ok) << bdf.error << pcf.error;
    EXPECT_EQ(pcf.lineHeight, bdf.lineHeight);
    EXPECT_EQ(pcf.baselineRow, bdf.baselineRow);
    ASSERT_EQ(pcf.glyphs.size(), bdf.glyphs.size());
    EXPECT_EQ(bdf.glyphs.size(), 95u + 64u);
    for (const auto& [code, g] : bdf.glyphs) {
        const ReadGlyph& p = pcf.glyphs.at(code);
        EXPECT_EQ(test::OnWindow(p, 16, 16, 0, bdf.baselineRow),
                  test::OnWindow(g, 16, 16, 0, bdf.baselineRow))
            << int(code);
        EXPECT_EQ(p.advance, g.advance);
    }
}

TEST_F(ExportDecode, ABitmapFontGivesFullLevelsWhereItsPixelsAre) {
    // Apart from the outputs: the first of them is named tiny.bdf too.
    std::filesystem::create_directory(dir / "source");
    test::WriteBytes(dir / "source" / "tiny.bdf", test::kTinyBdf);
    GlyphRenderer fonts;
    ChooseFontFile(s, Utf8ToUtf16((dir / "source" / "tiny.bdf").string()), 0, fonts.Fonts());
    s.BLOCKNUMX = u"6";
    s.BLOCKNUMY = u"8";
    ExportJob job;
    job.format = ExportFormat::Lvgl;
    job.name = "tiny";
    job.bpp = 4;
    job.characters = ExportCharacters::Text;
    job.text = u"Ag\uFFFF";  // other letters would come from fontconfig's fallbacks
    const ExportResult r = Export(job, "t.c");
    EXPECT_EQ(r.glyphs, 2u);
    EXPECT_EQ(r.lacking, 1u);
    const ReadFont f = test::ReadLvglFont(dir / "t.c", "tiny");
    ASSERT_TRUE(f.ok) << f.error;
    const ReadGlyph& a = f.glyphs.at(U'A');
    EXPECT_EQ(a.advance, 5);  // DWIDTH
    EXPECT_EQ(a.width, 5);
    EXPECT_EQ(a.height, 7);
    EXPECT_EQ(a.top, 7);
    EXPECT_EQ(test::LevelRows(a.levels, a.width),
              "..#..\n"
              ".#.#.\n"
              "#...#\n"
              "#...#\n"
              "#####\n"
              "#...#\n"
              "#...#\n");
    const ReadGlyph& g = f.glyphs.at(U'g');
    EXPECT_EQ(g.top - g.height, -1);  // the descender's row below the baseline
    for (int level : g.levels) EXPECT_TRUE(level == 0 || level == 15);
}

TEST_F(ExportDecode, ALargeLvglFontAsksForTheLargeLayoutAndReadsBackWithIt) {
    // Boxes above 255 dots and advances above 255 do not fit LVGL's small glyph descriptors.
    s.BLOCKNUMX = u"400";
    s.BLOCKNUMY = u"400";
    DeriveFontSize(s);
    s.FONT.Width = 0;  // the font's own proportions
    ExportJob job;
    job.format = ExportFormat::Lvgl;
    job.name = "large";
    job.characters = ExportCharacters::Text;
    job.text = u"W.";
    ASSERT_EQ(Export(job, "l.c").outcome, JobOutcome::Done);
    const ReadFont small = test::ReadLvglFont(dir / "l.c", "large");
    EXPECT_FALSE(small.ok);
    EXPECT_NE(small.error.find("LV_FONT_FMT_TXT_LARGE"), std::string::npos) << small.error;
    const ReadFont f = test::ReadLvglFont(dir / "l.c", "large", "-DLV_FONT_FMT_TXT_LARGE=1");
    ExpectSameAsRenderer(f, job.text, 1);
    EXPECT_GT(f.glyphs.at(U'W').width, 255);
}

TEST_F(ExportDecode, TheNewestDescriptorLayoutTakesTheFontToo) {
    ExportJob job;
    job.format = ExportFormat::Lvgl;
    job.name = "based";
    job.bpp = 2;
    job.compress = true;
    job.characters = ExportCharacters::Text;
    Export(job, "b.c");
    ExpectSameAsRenderer(test::ReadLvglFont(dir / "b.c", "based", "-DZEMTRA_TEST_LVGL_DSC_BASE"),
                         kMixed, 2);
}

// ---- golden files: the tiny BDF font in every format, pinned byte for byte once each file
// has been read back and found to hold the font's pixels.

TEST_F(ExportDecode, HandEditedGlyphsExportAsTheirDotsAtTheFullLevel) {
    // 'A' edited into a frame with a dot in it; U+FFFE, which no face has, edited into a bar; an
    // edit at another size is not taken. 'g' stays the face's.
    const int w = MatrixWidth(s);
    const int h = MatrixHeight(s);
    GlyphDots frame(w, h);
    for (int i = 0; i < w; ++i) frame.Set(i, 2, true), frame.Set(i, h - 3, true);
    for (int j = 2; j < h - 2; ++j) frame.Set(1, j, true), frame.Set(w - 2, j, true);
    frame.Set(5, 7, true);
    GlyphDots bar(w, h);
    for (int i = 3; i < 9; ++i) bar.Set(i, 8, true);
    s.GLYPHS.Set(U'A', frame);
    s.GLYPHS.Set(0xFFFE, bar);
    s.GLYPHS.Set(U'g', GlyphDots(8, 8));

    GlyphRenderer renderer;
    DotMatrix plain;
    ProjectSettings unedited = s;
    unedited.GLYPHS.Clear();
    renderer.RenderDotMatrix(unedited, u"A", &plain);
    const int advanceA = renderer.CharacterInk().advance;
    DotMatrix g;
    renderer.RenderDotMatrix(s, u"g", &g);
    const std::vector<int> gDots = test::MatrixLevels(g);

    const auto expectEdit = [&](const ReadFont& f, char32_t c, const GlyphDots& dots, int level,
                                int advance) {
        ASSERT_TRUE(f.ok) << f.error;
        const auto it = f.glyphs.find(c);
        ASSERT_NE(it, f.glyphs.end()) << "U+" << std::hex << int(c);
        std::vector<int> want(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) want[y * w + x] = dots.Lit(x, y) ? level : 0;
        const std::vector<int> got = test::OnWindow(it->second, w, h, s.OFFSETX, f.baselineRow);
        EXPECT_EQ(got, want) << "U+" << std::hex << int(c) << "\n" << test::LevelRows(got, w);
        EXPECT_EQ(it->second.advance, advance) << "U+" << std::hex << int(c);
    };
    ExportJob job;
    job.characters = ExportCharacters::Text;
    job.text = u"Ag\uFFFE";
    for (const int bpp : {1, 4}) {
        job.bpp = bpp;
        job.format = ExportFormat::Bdf;
        if (bpp == 1) {
            ASSERT_EQ(Export(job, "e.bdf").outcome, JobOutcome::Done);
            const ReadFont bdf = test::ReadWithFreeType(dir / "e.bdf");
            expectEdit(bdf, U'A', frame, 1, advanceA);
            expectEdit(bdf, 0xFFFE, bar, 1, w);
            ASSERT_TRUE(bdf.glyphs.count(U'g'));
            EXPECT_EQ(test::OnWindow(bdf.glyphs.at(U'g'), w, h, s.OFFSETX, bdf.baselineRow), gDots);
            // Adafruit GFX too (its codes end at 0xFF), read by the compiled reader; the line's
            // baseline is placed as the other GFX tests place it.
            job.format = ExportFormat::AdafruitGfx;
            job.name = "edited";
            job.text = u"Ag";
            ASSERT_EQ(Export(job, "e.h").outcome, JobOutcome::Done);
            ReadFont gfx = test::ReadGfxFont(dir / "e.h", "edited");
            gfx.baselineRow = BaselineRow();
            expectEdit(gfx, U'A', frame, 1, advanceA);
            ASSERT_TRUE(gfx.glyphs.count(U'g'));
            EXPECT_EQ(test::OnWindow(gfx.glyphs.at(U'g'), w, h, s.OFFSETX, gfx.baselineRow), gDots);
            job.text = u"Ag\uFFFE";
        }
        job.format = ExportFormat::Lvgl;
        job.name = "edited";
        ASSERT_EQ(Export(job, "e.c").outcome, JobOutcome::Done);
        const ReadFont lvgl = test::ReadLvglFont(dir / "e.c", "edited");
        expectEdit(lvgl, U'A', frame, (1 << bpp) - 1, advanceA);
        expectEdit(lvgl, 0xFFFE, bar, (1 << bpp) - 1, w);
    }
    EXPECT_NE(test::MatrixLevels(plain), test::MatrixLevels(frame.ToMatrix()));
}

// Icons from a symbol face at their own size and offset inside a text face's font: each glyph on
// its line is what show draws with the same source, in LVGL at one and four bits and in BDF.
TEST_F(ExportDecode, SourcesDrawTheirRangesAtTheirSizeAndOffsetAsShowDoes) {
    test::ArialOnMatrix(s, 20, 20);
    const std::u16string text = u"Ag\uF015\uF013\uF0E0";
    ExportJob job;
    job.characters = ExportCharacters::Text;
    job.text = text;
    job.name = "merged";
    const auto glyphOf = [&](const std::string& source, char32_t c) {
        s.FONT.Sources = {ParseFontSource(source)};
        job.format = ExportFormat::Lvgl;
        job.bpp = 1;
        EXPECT_EQ(Export(job, "m.c").outcome, JobOutcome::Done);
        const ReadFont f = test::ReadLvglFont(dir / "m.c", "merged");
        EXPECT_TRUE(f.ok && f.glyphs.count(c)) << f.error;
        return f.ok && f.glyphs.count(c) ? f.glyphs.at(c) : ReadGlyph{};
    };
    for (const char* source : {"FontAwesome@U+F000-U+F0FF@size=14@offset=0,1",
                               "FontAwesome@U+F013@size=20x24@offset=-2,-3",
                               "/usr/share/fonts/truetype/font-awesome/fontawesome-webfont.ttf"}) {
        SCOPED_TRACE(source);
        s.FONT.Sources = {ParseFontSource(source)};
        for (const int bpp : {1, 4}) {
            job.bpp = bpp;
            job.format = ExportFormat::Lvgl;
            ASSERT_EQ(Export(job, "m.c").outcome, JobOutcome::Done);
            ExpectSameAsRenderer(test::ReadLvglFont(dir / "m.c", "merged"), text, bpp);
        }
        job.bpp = 1;
        job.format = ExportFormat::Bdf;
        ASSERT_EQ(Export(job, "m.bdf").outcome, JobOutcome::Done);
        ExpectSameAsRenderer(test::ReadWithFreeType(dir / "m.bdf"), text, 1);
    }
    // The file names the source that drew the icons.
    s.FONT.Sources = {ParseFontSource("FontAwesome@U+F000-U+F0FF@size=14")};
    job.format = ExportFormat::Lvgl;
    ASSERT_EQ(Export(job, "m.c").outcome, JobOutcome::Done);
    const std::string written = test::ReadBytes(dir / "m.c");
    // Which of the two FontAwesome files the name finds is fontconfig's to say.
    EXPECT_TRUE(
        std::regex_search(written, std::regex(R"(3 from FontAwesome \([^,)]*, source 1\))")))
        << written.substr(0, 300);
    // One dot down is one row lower; the text face's letters stay where they were.
    const ReadGlyph up = glyphOf("FontAwesome@U+F000-U+F0FF@size=14", 0xF015);
    const ReadGlyph down = glyphOf("FontAwesome@U+F000-U+F0FF@size=14@offset=0,1", 0xF015);
    EXPECT_EQ(down.top, up.top - 1);
    EXPECT_EQ(down.levels, up.levels);
    EXPECT_EQ(glyphOf("FontAwesome@U+F000-U+F0FF@size=14@offset=3,1", 0xF015).left, up.left + 3);
    // A bitmap font as a source draws its own pixels at its own size on the text's baseline:
    // the tiny BDF's "A" (rows 20 50 88 88 F8 88 88, 7 above its baseline), one dot right.
    test::WriteBytes(dir / "tiny.bdf", test::kTinyBdf);
    const ReadGlyph a = glyphOf((dir / "tiny.bdf").string() + "@U+0041@offset=1,0", U'A');
    EXPECT_EQ(std::tie(a.left, a.top, a.width, a.height, a.advance),
              std::make_tuple(1, 7, 5, 7, 5));
    EXPECT_EQ(test::LevelRows(a.levels, a.width),
              "..1..\n.1.1.\n1...1\n1...1\n11111\n1...1\n1...1\n");
    // Outside its ranges the source draws nothing: U+F013 comes from font linking at the text's
    // size, unlike the source's own glyph.
    EXPECT_NE(glyphOf("FontAwesome@U+F015@size=14", 0xF013).levels,
              glyphOf("FontAwesome@U+F013@size=14", 0xF013).levels);
}

// Kerning as HarfBuzz's own hb-shape gives it (font units with and without "kern", run on
// Debian's fonts; 16 px em, 2048 units: sixteenths = units / 8, rounded half away from zero).
// Pairs that do not kern are not written.
TEST_F(ExportDecode, KerningIsHarfBuzzsAdjustmentInSixteenths) {
    struct Case {
        const char16_t* face;
        std::vector<std::pair<const char16_t*, int>> pairs;  // 0: not written
    };
    const std::vector<Case> cases = {
        {u"Liberation Sans",
         {{u"AV", -19}, {u"To", -28}, {u"y.", -19}, {u"LT", -19}, {u"Yo", -24}, {u"AB", 0}}},
        {u"DejaVu Sans",
         {{u"AV", -16}, {u"To", -44}, {u"y.", -37}, {u"LT", -35}, {u"Yo", -34}, {u"AB", 0}}},
    };
    ExportJob job;
    job.characters = ExportCharacters::Text;
    job.name = "kerned";
    job.format = ExportFormat::Lvgl;
    job.text = u"ABLTVYoy.";
    for (const Case& c : cases) {
        test::ArialOnMatrix(s, 20, 20);
        s.FONT.FaceName = c.face;
        s.FONT.Height = -16;  // the em, 16 dots
        s.FONT.Width = 0;
        for (const int bpp : {1, 4}) {
            job.bpp = bpp;
            job.kerning = true;
            const ExportResult result = Export(job, "k.c");
            ASSERT_EQ(result.outcome, JobOutcome::Done);
            const ReadFont f = test::ReadLvglFont(dir / "k.c", "kerned");
            ASSERT_TRUE(f.ok) << f.error;
            EXPECT_EQ(result.kerningPairs, f.kerning.size());
            for (const auto& [pair, sixteenths] : c.pairs) {
                const auto it = f.kerning.find({pair[0], pair[1]});
                EXPECT_EQ(it == f.kerning.end() ? 0 : it->second, sixteenths)
                    << Utf16ToUtf8(c.face) << " " << Utf16ToUtf8(pair) << " at " << bpp;
            }
            job.kerning = false;
            ASSERT_EQ(Export(job, "k.c").outcome, JobOutcome::Done);
            EXPECT_TRUE(test::ReadLvglFont(dir / "k.c", "kerned").kerning.empty());
        }
    }
}

// Every pair of a set, against hb-shape run here on the same font file: the sum of the two
// advances with kerning and without, in font units at a 16-dot em of 2048 units, is the
// adjustment the LVGL font carries (rounded half away from zero), and no other pair is written.
TEST_F(ExportDecode, KerningOfEveryPairIsWhatHbShapeGives) {
    std::string ignored;
    if (test::RunCommand("hb-shape --version", ignored) != 0) GTEST_SKIP() << "no hb-shape";
    const std::u32string set = U"ATVWYLPForyae.,-\u00C5\u00E9";
    std::string lines;
    for (char32_t a : set) {
        for (char32_t b : set) lines += Utf16ToUtf8(CharacterUtf16(a) + CharacterUtf16(b)) + "\n";
    }
    test::WriteBytes(dir / "pairs.txt", lines);
    for (const char16_t* face : {u"Liberation Sans", u"DejaVu Sans"}) {
        SCOPED_TRACE(Utf16ToUtf8(face));
        GlyphRenderer renderer;
        LogFont font;
        font.FaceName = face;
        const std::string file = renderer.Fonts().ResolvedFace(font);
        // One line per pair: [g1+advance1|g2+advance2].
        const auto advances = [&](const std::string& features) {
            std::string out;
            EXPECT_EQ(test::RunCommand(
                          "hb-shape --no-glyph-names --no-clusters --features=" + features +
                              " --text-file=" + test::ShellQuote((dir / "pairs.txt").string()) +
                              " " + test::ShellQuote(file),
                          out),
                      0)
                << out;
            std::vector<int> sums;
            std::istringstream in(out);
            for (std::string line; std::getline(in, line);) {
                int sum = 0;
                for (size_t plus = line.find('+'); plus != std::string::npos;
                     plus = line.find('+', plus + 1)) {
                    sum += std::stoi(line.substr(plus + 1));
                }
                sums.push_back(sum);
            }
            return sums;
        };
        const std::vector<int> kerned = advances("-liga,-clig,-calt");
        const std::vector<int> plain = advances("-kern");
        ASSERT_EQ(kerned.size(), set.size() * set.size());
        ASSERT_EQ(plain.size(), kerned.size());
        std::map<std::pair<char32_t, char32_t>, int> want;
        for (size_t i = 0; i < kerned.size(); ++i) {
            const int units = kerned[i] - plain[i];
            const int sixteenths = units < 0 ? -((-units + 4) / 8) : (units + 4) / 8;
            if (sixteenths != 0) want[{set[i / set.size()], set[i % set.size()]}] = sixteenths;
        }
        EXPECT_GT(want.size(), 20u);

        test::ArialOnMatrix(s, 20, 20);
        s.FONT.FaceName = face;
        s.FONT.Height = -16;
        s.FONT.Width = 0;
        ExportJob job;
        job.characters = ExportCharacters::Text;
        job.format = ExportFormat::Lvgl;
        job.name = "pairs";
        for (char32_t c : set) job.text += CharacterUtf16(c);
        ASSERT_EQ(Export(job, "pairs.c").outcome, JobOutcome::Done);
        const ReadFont f = test::ReadLvglFont(dir / "pairs.c", "pairs");
        ASSERT_TRUE(f.ok) << f.error;
        EXPECT_EQ(f.kerning, want);
    }
}

// u8g2 fonts: every glyph placed on its line is what show prints, proportional or monospace, up
// to 0xFF and beyond it (more than one block of the jump table); a glyph u8g2's fields cannot
// hold is refused by name.
TEST_F(ExportDecode, U8g2FontsHoldTheMatrixOfEveryGlyph) {
    ExportJob job;
    job.format = ExportFormat::U8g2;
    job.name = "u8g2_font_test";
    job.characters = ExportCharacters::Text;
    std::u16string bmp;
    for (char16_t c : kMixed) bmp += c == u'\uFFFE' || c == u'\uFFFF' ? u"" : std::u16string(1, c);
    std::u16string many = bmp;
    for (char16_t c = 0x5000; c < 0x5000 + 250; ++c) many += c;  // past two jump entries
    for (const auto& [text, monospace] : {std::pair{bmp, false}, {bmp, true}, {many, false}}) {
        SCOPED_TRACE(testing::Message() << text.size() << " characters, monospace " << monospace);
        job.text = text;
        job.monospace = monospace;
        ASSERT_EQ(Export(job, "f.c").outcome, JobOutcome::Done);
        ReadFont f = test::ReadU8g2Font(dir / "f.c", "u8g2_font_test");
        ASSERT_TRUE(f.ok) << f.error;
        f.lineHeight = MatrixHeight(s);
        f.baselineRow = BaselineRow();
        ExpectSameAsRenderer(f, text, 1, monospace);
    }
    test::ArialOnMatrix(s, 400, 400);
    job.text = u"W";
    job.monospace = false;
    EXPECT_THROW(Export(job, "big.c"), UserError);
}

// LVGL's binary font file holds the font of the C source, glyph for glyph with its kerning, at
// every depth, compressed or not, and with glyphs past a byte's offsets (16-bit fields).
TEST_F(ExportDecode, LvglBinaryFontsAreTheCSourcesFont) {
    struct Case {
        int matrix, bpp;
        bool compress;
        const char16_t* text;
    };
    const Case cases[] = {
        {16, 1, false, nullptr}, {16, 2, true, nullptr},    {16, 4, false, nullptr},
        {16, 8, false, nullptr}, {24, 4, true, u"AVTo y."}, {300, 1, false, u"Wg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.matrix << " dots, " << c.bpp << " bits");
        test::ArialOnMatrix(s, c.matrix, c.matrix);
        ExportJob job;
        job.characters = ExportCharacters::Text;
        job.text = c.text != nullptr ? c.text : kMixed;
        job.bpp = c.bpp;
        job.compress = c.compress;
        job.name = "same";
        job.format = ExportFormat::LvglBin;
        ASSERT_EQ(Export(job, "f.bin").outcome, JobOutcome::Done);
        const ReadFont bin = test::ReadLvglBinFont(dir / "f.bin");
        ASSERT_TRUE(bin.ok) << bin.error;
        if (c.bpp == 1) ExpectSameAsRenderer(bin, job.text, 1);
        job.format = ExportFormat::Lvgl;
        ASSERT_EQ(Export(job, "f.c").outcome, JobOutcome::Done);
        const ReadFont source = test::ReadLvglFont(
            dir / "f.c", "same", c.matrix > 255 ? "-DLV_FONT_FMT_TXT_LARGE=1" : "");
        ASSERT_TRUE(source.ok) << source.error;
        EXPECT_EQ(std::tie(bin.lineHeight, bin.baselineRow, bin.bpp, bin.bitmapFormat, bin.kerning),
                  std::tie(source.lineHeight, source.baselineRow, source.bpp, source.bitmapFormat,
                           source.kerning));
        ExpectSameGlyphs(bin, source);
    }
}

// --c-array: the binary file's bytes, compiled as C and written out again, are the file; a
// format of text is refused.
TEST_F(ExportDecode, CArraysHoldTheBinaryFilesBytes) {
    ExportJob job;
    job.characters = ExportCharacters::Text;
    job.text = u"AgW";
    test::WriteBytes(
        dir / "dump.c",
        "#include <stdint.h>\n#include <stdio.h>\n"
        "extern const uint8_t font_bytes[];\nextern const uint32_t font_bytes_size;\n"
        "int main(void) { fwrite(font_bytes, 1, font_bytes_size, stdout); return 0; }\n");
    for (const auto& [format, bpp] :
         {std::pair{ExportFormat::LvglBin, 4}, {ExportFormat::Vlw, 8}}) {
        job.format = format;
        job.bpp = bpp;
        job.cArray = false;
        ASSERT_EQ(Export(job, "f.bin").outcome, JobOutcome::Done);
        job.cArray = true;
        job.name = "font_bytes";
        ASSERT_EQ(Export(job, "f_array.c").outcome, JobOutcome::Done);
        std::string out;
        ASSERT_EQ(test::RunCommand("cc -std=c99 -Wall -Wextra -Werror " +
                                       test::ShellQuote((dir / "f_array.c").string()) + " " +
                                       test::ShellQuote((dir / "dump.c").string()) + " -o " +
                                       test::ShellQuote((dir / "dump").string()) + " && " +
                                       test::ShellQuote((dir / "dump").string()) + " > " +
                                       test::ShellQuote((dir / "dumped").string()),
                                   out),
                  0)
            << out;
        EXPECT_EQ(test::ReadBytes(dir / "dumped"), test::ReadBytes(dir / "f.bin"));
    }
    job.format = ExportFormat::Bdf;
    job.bpp = 1;
    EXPECT_THROW(Export(job, "f.bdf"), UserError);
}

// A TFT_eSPI smooth font holds the coverage of the LVGL 8-bit export of the same settings, glyph
// for glyph; TFT_eSPI's 8-bit fields refuse what they cannot hold, naming the glyph.
TEST_F(ExportDecode, SmoothFontsHoldTheEightBitCoverage) {
    std::u16string bmp;
    for (char16_t c : kMixed) bmp += c == u'\uFFFE' || c == u'\uFFFF' ? u"" : std::u16string(1, c);
    ExportJob job;
    job.characters = ExportCharacters::Text;
    job.text = bmp;
    job.bpp = 8;
    job.format = ExportFormat::Vlw;
    ASSERT_EQ(Export(job, "f.vlw").outcome, JobOutcome::Done);
    const ReadFont vlw = test::ReadVlwFont(dir / "f.vlw");
    ExpectSameAsRenderer(vlw, bmp, 8);
    job.format = ExportFormat::Lvgl;
    job.name = "eight";
    ASSERT_EQ(Export(job, "f.c").outcome, JobOutcome::Done);
    const ReadFont lvgl = test::ReadLvglFont(dir / "f.c", "eight");
    ExpectSameGlyphs(vlw, lvgl);
    // A glyph wider than a byte counts.
    test::ArialOnMatrix(s, 600, 600);
    job.format = ExportFormat::Vlw;
    job.text = u"W";
    try {
        Export(job, "big.vlw");
        ADD_FAILURE() << "a 600-dot W was taken";
    } catch (const UserError& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("The width of U+0057 is ")) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "big.vlw"));
}

TEST_F(ExportDecode, ExportGoldenTinyBdfFontInEveryFormat) {
    // Apart from the outputs: the first of them is named tiny.bdf too.
    std::filesystem::create_directory(dir / "source");
    test::WriteBytes(dir / "source" / "tiny.bdf", test::kTinyBdf);
    GlyphRenderer fonts;
    ChooseFontFile(s, Utf8ToUtf16((dir / "source" / "tiny.bdf").string()), 0, fonts.Fonts());
    s.BLOCKNUMX = u"6";
    s.BLOCKNUMY = u"8";
    ExportJob job;
    job.characters = ExportCharacters::Text;
    job.text = u"gA";
    job.name = "tiny";
    struct Case {
        ExportFormat format;
        int bpp;
        bool compress;
        bool monospace;
        const char* golden;
    };
    for (const Case& c :
         {Case{ExportFormat::Bdf, 1, false, false, "export/tiny.bdf"},
          Case{ExportFormat::Bdf, 1, false, true, "export/tiny_monospace.bdf"},
          Case{ExportFormat::AdafruitGfx, 1, false, false, "export/tiny_gfx.h.txt"},
          Case{ExportFormat::Lvgl, 1, false, false, "export/tiny_lvgl_1bit.c"},
          Case{ExportFormat::Lvgl, 4, true, false, "export/tiny_lvgl_4bit.c"},
          Case{ExportFormat::Vlw, 8, false, false, "export/tiny.vlw"},
          Case{ExportFormat::LvglBin, 4, true, false, "export/tiny_lvgl_4bit.bin"}}) {
        job.format = c.format;
        job.bpp = c.bpp;
        job.compress = c.compress;
        job.monospace = c.monospace;
        const std::string file = std::filesystem::path(c.golden).filename().string();
        ASSERT_EQ(Export(job, file).outcome, JobOutcome::Done) << c.golden;
        ReadFont f = c.format == ExportFormat::Bdf           ? test::ReadWithFreeType(dir / file)
                     : c.format == ExportFormat::AdafruitGfx ? test::ReadGfxFont(dir / file, "tiny")
                     : c.format == ExportFormat::Vlw         ? test::ReadVlwFont(dir / file)
                     : c.format == ExportFormat::LvglBin     ? test::ReadLvglBinFont(dir / file)
                     : c.format == ExportFormat::U8g2 ? test::ReadU8g2Font(dir / file, "tiny")
                                                      : test::ReadLvglFont(dir / file, "tiny");
        if (c.format == ExportFormat::AdafruitGfx) {
            f.baselineRow = BaselineRow();
            for (char32_t gap = U'B'; gap < U'g'; ++gap) f.glyphs.erase(gap);
        }
        if (c.format == ExportFormat::U8g2) {  // u8g2 has no line of its own
            f.lineHeight = MatrixHeight(s);
            f.baselineRow = BaselineRow();
        }
        ExpectSameAsRenderer(f, job.text, c.bpp, c.monospace);
        EXPECT_EQ(test::CompareWithGolden(c.golden, test::ReadBytes(dir / file)), "");
    }
}

// ---- the job's character sets, refusals, stop and whole-or-nothing writing.

class ExportJobTest : public ::testing::Test {
  protected:
    void SetUp() override { ApplyNew(s, false); }
    test::ScratchDir dir;
    ProjectSettings s;
};

TEST_F(ExportJobTest, CharacterSetsAscendOnceFromEachSource) {
    ExportJob job;
    job.characters = ExportCharacters::Text;
    job.text = u"baab\u4E2D";
    EXPECT_EQ(ExportCharacterSet(s, job), (std::vector<char32_t>{U'a', U'b', U'\u4E2D'}));

    job.characters = ExportCharacters::Ranges;
    job.ranges = ParseCodeSpans("U+0043-U+0045, 0x41,42 ,u+0044");
    EXPECT_EQ(ExportCharacterSet(s, job), (std::vector<char32_t>{U'A', U'B', U'C', U'D', U'E'}));

    // The list: characters, without its picture items.
    s.LIST = {u"Z", u"\u2606", u"Y"};
    s.PIC = {u"#", u"/pictures/logo.png", u"#"};
    job.characters = ExportCharacters::List;
    EXPECT_EQ(ExportCharacterSet(s, job), (std::vector<char32_t>{U'Y', U'Z'}));

    // The code range as libraries walk it: high bytes outer, low bytes inner, each code
    // converted in its code page.
    s.CODEPAGE = 2;  // GB2312
    s.FROM = 0xB0A1;
    s.TO = 0xB1A2;
    job.characters = ExportCharacters::CodeRange;
    const std::vector<char32_t> gb = ExportCharacterSet(s, job);
    EXPECT_EQ(gb.size(), 4u);  // B0A1 B0A2 B1A1 B1A2
    for (char32_t c : {U'\u554A', U'\u963F', U'\u8584', U'\u96F9'}) {
        EXPECT_NE(std::find(gb.begin(), gb.end(), c), gb.end()) << static_cast<int>(c);
    }
}

TEST_F(ExportJobTest, CodeSpansRefuseWhatIsNoCode) {
    for (const char* bad : {"", "U+", "U+12G4", "0x20-", "20--30", "U+123456789", "a,,b"}) {
        EXPECT_THROW(ParseCodeSpans(bad), UserError) << bad;
    }
    const std::vector<CodeSpan> spans = ParseCodeSpans("U+4E00-U+9FA5");
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(spans[0].first, U'\u4E00');
    EXPECT_EQ(spans[0].last, U'\u9FA5');
}

TEST_F(ExportJobTest, ProblemsAreFoundBeforeTheTargetIsTouched) {
    const std::filesystem::path target = dir / "old.c";
    test::WriteBytes(target, "old");
    ExportJob job;
    job.target = target;
    job.characters = ExportCharacters::Text;
    job.text = u"A";
    job.name = "ok";
    const auto refused = [&](ExportJob j, const std::string& words) {
        const std::optional<MessageArg> problem = ExportJobProblem(s, j);
        EXPECT_TRUE(problem.has_value()) << words;
        if (problem) {
            const std::string why = EnglishUtf8(*problem);
            EXPECT_NE(why.find(words), std::string::npos) << why;
        }
        EXPECT_THROW(RunJob(s, j, {}), UserError) << words;
        EXPECT_EQ(test::ReadBytes(target), "old");
    };
    job.format = ExportFormat::Lvgl;
    EXPECT_FALSE(ExportJobProblem(s, job).has_value());
    job.bpp = 3;
    refused(job, "1, 2, 4 or 8");
    job.bpp = 1;
    job.compress = true;
    refused(job, "2 and 4 bits");
    job.compress = false;
    job.name = "2fast";
    refused(job, "not a C identifier");
    job.name = "int";
    refused(job, "not a C identifier");
    job.name = "ok";
    job.format = ExportFormat::Bdf;
    job.bpp = 4;
    refused(job, "one bit per dot");
    job.bpp = 1;
    job.format = ExportFormat::AdafruitGfx;
    job.text = u"A\u0100";
    refused(job, "0x00..0xFF");
    job.text = u"A\U0001F600";  // beyond U+FFFF, beyond a byte all the more
    refused(job, "U+1F600");
    job.format = ExportFormat::Lvgl;
    job.characters = ExportCharacters::Ranges;
    job.ranges = {{0x10FFFF, 0x110000}};
    refused(job, "U+10FFFF");
    job.ranges = {{0x30, 0x20}};
    refused(job, "backwards");
    // A window the GFX bytes cannot place.
    job.characters = ExportCharacters::Text;
    job.text = u"A";
    job.format = ExportFormat::AdafruitGfx;
    s.OFFSETY = 200;
    refused(job, "128 dots");
    s.OFFSETY = 0;
    s.BLOCKNUMX = u"256";
    DeriveFontSize(s);
    refused(job, "255 x 255");
}

TEST_F(ExportJobTest, EmptySetsAndSetsNoFaceHasWriteNothing) {
    const std::filesystem::path target = dir / "f.bdf";
    ExportJob job;
    job.format = ExportFormat::Bdf;
    job.target = target;
    job.characters = ExportCharacters::List;
    s.LIST.clear();
    s.PIC.clear();
    EXPECT_EQ(RunJob(s, job, {}).outcome, JobOutcome::NoCharacters);
    job.characters = ExportCharacters::Text;
    job.text = u"\uFFFE\uFFFF";
    const ExportResult r = RunJob(s, job, {});
    EXPECT_EQ(r.outcome, JobOutcome::NoGlyphs);
    EXPECT_EQ(r.lacking, 2u);
    s.BLOCKNUMX = u"0";
    EXPECT_EQ(RunJob(s, job, {}).outcome, JobOutcome::NoDots);
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 0);
}

// Raises the stop flag once the job has reported a position past a mark.
class StopAt : public ProgressSink {
  public:
    StopAt(StopFlag& stop, int mark) : stop_(stop), mark_(mark) {}
    void SetRange(int, int) override {}
    void SetPosition(int position) override {
        positions.push_back(position);
        if (position >= mark_) stop_.Request();
    }
    std::vector<int> positions;

  private:
    StopFlag& stop_;
    int mark_;
};

TEST_F(ExportJobTest, AStopLeavesTheTargetAsItWasAndProgressClimbs) {
    const std::filesystem::path target = dir / "cjk.c";
    test::WriteBytes(target, "before");
    ExportJob job;
    job.format = ExportFormat::Lvgl;
    job.bpp = 4;
    job.target = target;
    job.characters = ExportCharacters::Ranges;
    job.ranges = {{0x4E00, 0x4FFF}};
    StopFlag stop;
    StopAt progress(stop, 30);
    JobContext context;
    context.progress = &progress;
    context.stop = &stop;
    EXPECT_EQ(RunJob(s, job, context).outcome, JobOutcome::Stopped);
    EXPECT_EQ(test::ReadBytes(target), "before");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    ASSERT_FALSE(progress.positions.empty());
    EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
    EXPECT_LT(progress.positions.back(), 100);

    // Unstopped, the same job replaces the file and ends its progress at 0.
    StopFlag never;
    StopAt watch(never, 1000);
    context.progress = &watch;
    context.stop = &never;
    const ExportResult r = RunJob(s, job, context);
    EXPECT_EQ(r.outcome, JobOutcome::Done);
    EXPECT_EQ(r.glyphs, 512u);
    EXPECT_EQ(r.bytes, std::filesystem::file_size(target));
    ASSERT_GE(watch.positions.size(), 3u);
    EXPECT_EQ(watch.positions[watch.positions.size() - 2], 100);
    EXPECT_EQ(watch.positions.back(), 0);
}

TEST_F(ExportJobTest, OutputIsTheSameEveryTime) {
    ExportJob job;
    job.format = ExportFormat::Lvgl;
    job.bpp = 2;
    job.compress = true;
    job.characters = ExportCharacters::Text;
    job.text = u"Zemtra 字";
    job.name = "same";
    job.target = dir / "a.c";
    RunJob(s, job, {});
    job.target = dir / "b.c";
    RunJob(s, job, {});
    EXPECT_EQ(test::ReadBytes(dir / "a.c"), test::ReadBytes(dir / "b.c"));
    // Without one, the name comes from the file's name.
    job.name.clear();
    job.target = dir / "7-segment font.c";
    RunJob(s, job, {});
    EXPECT_NE(test::ReadBytes(job.target).find("const lv_font_t _7_segment_font = {"),
              std::string::npos);
}

}  // namespace
}  // namespace zemtra

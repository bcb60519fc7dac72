// RenderDotMatrix: sizes that render nothing, the sampling window and its origin, the picture
// path's luminance and threshold, and the limits that keep absurd sizes from allocating.
#include "raster/glyph_renderer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/error.h"
#include "base/unicode.h"
#include "support/font_fixtures.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

int LitCount(const DotMatrix& m) {
    int n = 0;
    for (int y = 0; y < m.Height(); ++y) {
        for (int x = 0; x < m.Width(); ++x) n += m.Lit(x, y);
    }
    return n;
}

TEST(RenderDotMatrix, MatrixBelowOneDotRendersNothingAndKeepsTheMatrix) {
    GlyphRenderer r;
    DotMatrix m(2, 2);
    m.Set(1, 1, true);
    for (const char16_t* w : {u"0", u"-4", u"abc", u""}) {
        ProjectSettings s = test::SizedSettings(16, 16);
        s.BLOCKNUMX = w;
        EXPECT_FALSE(r.RenderDotMatrix(s, u"A", &m));
        EXPECT_TRUE(m.Lit(1, 1));
    }
}

TEST(RenderDotMatrix, EmptySourceAndMissingFileAreAllUnlit) {
    GlyphRenderer r;
    DotMatrix m;
    ASSERT_TRUE(r.RenderDotMatrix(test::SizedSettings(16, 16), u"", &m));
    EXPECT_EQ(m.Width(), 16);
    EXPECT_EQ(LitCount(m), 0);
    // Two UTF-16 units that name no file and are not one character.
    ASSERT_TRUE(r.RenderDotMatrix(test::SizedSettings(16, 16), u"AB", &m));
    EXPECT_EQ(LitCount(m), 0);
    // A surrogate pair is one character (U+1F600, drawn by a linked face), not a file name.
    ASSERT_TRUE(r.RenderDotMatrix(test::SizedSettings(16, 16), u"\U0001F600", &m));
    EXPECT_GT(LitCount(m), 20);
    ASSERT_TRUE(r.RenderDotMatrix(test::SizedSettings(16, 16), u"/no/such/picture.png", &m));
    EXPECT_EQ(LitCount(m), 0);
}

TEST(RenderDotMatrix, CharacterIgnoresThresholdAndPolarity) {
    GlyphRenderer r;
    ProjectSettings s = test::SizedSettings(16, 16);
    DotMatrix base, other;
    r.RenderDotMatrix(s, u"A", &base);
    EXPECT_GT(LitCount(base), 10);
    s.THRESHOLD = u"0";
    s.FORMAT = 1;
    r.RenderDotMatrix(s, u"A", &other);
    EXPECT_EQ(base, other);
    s.THRESHOLD = u"300";
    r.RenderDotMatrix(s, u"A", &other);
    EXPECT_EQ(base, other);
}

// With the font size held fixed, offsets only slide the sampling window over the same glyph.
TEST(RenderDotMatrix, OffsetsSlideTheSamplingWindow) {
    GlyphRenderer r;
    ProjectSettings big = test::SizedSettings(24, 24);
    big.FONT.Width = 8;
    big.FONT.Height = 16;
    DotMatrix reference;
    r.RenderDotMatrix(big, u"W", &reference);

    ProjectSettings s = big;
    s.BLOCKNUMX = s.BLOCKNUMY = u"16";
    s.OFFSETX = 2;
    s.OFFSETY = -1;
    DotMatrix shifted;
    r.RenderDotMatrix(s, u"W", &shifted);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int sx = x - 2, sy = y + 1;  // sampled surface pixel
            const bool expected = sx >= 0 && sy < 24 && reference.Lit(sx, sy);
            EXPECT_EQ(shifted.Lit(x, y), expected) << x << "," << y;
        }
    }
}

TEST(RenderDotMatrix, HugeOffsetsLeaveTheSurfaceWithoutOverflow) {
    GlyphRenderer r;
    DotMatrix m;
    for (int32_t off : {INT32_MIN, INT32_MAX, -2000000000, 2000000000}) {
        ProjectSettings s = test::SizedSettings(16, 16);
        s.OFFSETX = off;
        s.OFFSETY = off;
        ASSERT_TRUE(r.RenderDotMatrix(s, u"A", &m));
        EXPECT_EQ(LitCount(m), 0);
    }
}

TEST(RenderDotMatrix, SizesAboveTheLimitsAreRefusedWithAMessage) {
    GlyphRenderer r;
    DotMatrix m;
    EXPECT_THROW(r.RenderDotMatrix(test::SizedSettings(100000, 100000), u"A", &m), UserError);
    ProjectSettings s = test::SizedSettings(16, 16);
    s.FONT.Height = -100000;
    try {
        r.RenderDotMatrix(s, u"A", &m);
        FAIL() << "expected a UserError";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos);
    }
    EXPECT_EQ(m.Width(), 0);  // nothing was allocated for it
}

TEST(Luminance, ComputedInDoublesInTheGivenOrder) {
    EXPECT_EQ(Luminance(0x808080), 128.0);
    EXPECT_LT(Luminance(0x7F7F7F), 127.0);
    EXPECT_EQ(Luminance(0xFFFFFF), 255.0);
    EXPECT_EQ(Luminance(0xFFFFFFFF), 255.0);
    EXPECT_EQ(Luminance(0x000000), 0.0);
    EXPECT_DOUBLE_EQ(Luminance(0x0000FF), 0.299 * 255);  // red is the lowest byte
}

// Hands out a fixed raster for any existing file, so the picture path runs without Qt.
class FixedDecoder : public PictureDecoder {
  public:
    explicit FixedDecoder(RgbRaster r) : raster_(std::move(r)) {}
    std::optional<RgbRaster> Decode(const std::filesystem::path&) const override { return raster_; }

  private:
    RgbRaster raster_;
};

class PicturePath : public ::testing::Test {
  protected:
    void SetUp() override {
        file = Utf8ToUtf16((dir / "pic.bmp").string());
        std::ofstream(dir / "pic.bmp") << "x";
    }
    test::ScratchDir dir;
    std::u16string file;
};

TEST_F(PicturePath, GreyLevelsAgainstTheThreshold) {
    RgbRaster grey(2, 1);
    grey.SetPixel(0, 0, 0x808080);
    grey.SetPixel(1, 0, 0x7F7F7F);
    FixedDecoder decoder(grey);
    GlyphRenderer r(&decoder);
    ProjectSettings s = test::SizedSettings(2, 1);
    DotMatrix m;
    s.THRESHOLD = u"128";
    r.RenderDotMatrix(s, file, &m);
    EXPECT_TRUE(m.Lit(0, 0));
    EXPECT_FALSE(m.Lit(1, 0));
    s.THRESHOLD = u"127";
    r.RenderDotMatrix(s, file, &m);
    EXPECT_TRUE(m.Lit(0, 0));
    EXPECT_FALSE(m.Lit(1, 0));  // 127 grey is just below 127 in doubles
    s.THRESHOLD = u"0";
    r.RenderDotMatrix(s, file, &m);
    EXPECT_EQ(LitCount(m), 2);
    s.THRESHOLD = u"256";
    r.RenderDotMatrix(s, file, &m);
    EXPECT_EQ(LitCount(m), 0);
}

TEST_F(PicturePath, OutsideTheSurfaceIsWhiteAndTheMarginBlack) {
    FixedDecoder decoder(RgbRaster(1, 1, 0x808080));
    GlyphRenderer r(&decoder);
    ProjectSettings s = test::SizedSettings(4, 4);  // font 2 x 4: surface 6 x 8
    s.OFFSETX = -3;                                 // dot k samples column k + 3
    DotMatrix m;
    s.THRESHOLD = u"200";
    r.RenderDotMatrix(s, file, &m);
    // Column 0 reads the picture's grey, columns 1 and 2 the black margin (surface columns 4
    // and 5), column 3 lies beyond the surface, which reads as white.
    for (int y = 0; y < 4; ++y) {
        EXPECT_FALSE(m.Lit(0, y));
        EXPECT_FALSE(m.Lit(1, y));
        EXPECT_FALSE(m.Lit(2, y));
        EXPECT_TRUE(m.Lit(3, y));
    }
    s.THRESHOLD = u"0";
    r.RenderDotMatrix(s, file, &m);
    EXPECT_EQ(LitCount(m), 16);
}

TEST_F(PicturePath, StretchedToTheMatrix) {
    RgbRaster checker(2, 2, kBlack);
    checker.SetPixel(0, 0, kWhite);
    checker.SetPixel(1, 1, kWhite);
    FixedDecoder decoder(checker);
    GlyphRenderer r(&decoder);
    DotMatrix m;
    r.RenderDotMatrix(test::SizedSettings(4, 4), file, &m);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(m.Lit(x, y), (x < 2) == (y < 2)) << x << "," << y;
    }
}

TEST_F(PicturePath, WithoutADecoderAPictureDrawsNothing) {
    GlyphRenderer r;
    ProjectSettings s = test::SizedSettings(4, 4);
    s.THRESHOLD = u"0";  // even a threshold that lights everything
    DotMatrix m;
    r.RenderDotMatrix(s, file, &m);
    EXPECT_EQ(LitCount(m), 0);
    EXPECT_EQ(ClassifySource(file), SourceKind::Picture);
}

class RecordingPreview : public PreviewSink {
  public:
    int dots = 0, lit = 0, finished = 0;
    int64_t surfaceW = 0, surfaceH = 0;
    void OnDot(int32_t, int32_t, bool l) override {
        ++dots;
        lit += l;
    }
    void OnFinish(const RenderSurface& s, int64_t, int64_t) override {
        ++finished;
        surfaceW = s.Width();
        surfaceH = s.Height();
    }
};

TEST(RenderDotMatrix, PreviewSeesEveryDotAndTheSurface) {
    GlyphRenderer r;
    RecordingPreview preview;
    DotMatrix m;
    ProjectSettings s = test::SizedSettings(16, 16);
    s.FONT.Height = -20;  // the surface uses the absolute value
    r.RenderDotMatrix(s, u"A", &m, &preview);
    EXPECT_EQ(preview.dots, 256);
    EXPECT_EQ(preview.lit, LitCount(m));
    EXPECT_EQ(preview.finished, 1);
    EXPECT_EQ(preview.surfaceW, 16 + 8);
    EXPECT_EQ(preview.surfaceH, 16 + 20);
}

class NullPreview : public PreviewSink {
  public:
    void OnDot(int32_t, int32_t, bool) override {}
    void OnFinish(const RenderSurface&, int64_t, int64_t) override {}
};

// Without a preview the writers take a block-copy path; it must decide every dot as the
// per-pixel path does, wherever the window lies against the ink and the surface.
TEST(RenderDotMatrix, WriterPathMatchesThePerPixelPath) {
    GlyphRenderer r;
    NullPreview preview;
    for (const char16_t* ch : {u"g", u"W", u"啊", u"Ç"}) {
        for (int ox = -9; ox <= 9; ox += 3) {
            for (int oy = -9; oy <= 9; oy += 3) {
                ProjectSettings s = test::SizedSettings(12, 14);
                s.FONT.Height = -15;  // ink may leave the cell and the window
                s.OFFSETX = ox;
                s.OFFSETY = oy;
                DotMatrix fast, slow;
                r.RenderDotMatrix(s, ch, &fast);
                r.RenderDotMatrix(s, ch, &slow, &preview);
                EXPECT_EQ(fast, slow) << ox << "," << oy;
            }
        }
    }
}

// An 8 x 8 edit with a diagonal and a full bottom row, far from any font's "A".
GlyphDots Diagonal(int32_t side) {
    GlyphDots dots(side, side);
    for (int32_t i = 0; i < side; ++i) {
        dots.Set(i, i, true);
        dots.Set(i, side - 1, true);
    }
    return dots;
}

TEST(RenderDotMatrix, AnEditedCharacterTakesItsEditAtItsMatrixSizeOnly) {
    GlyphRenderer r;
    ProjectSettings s = test::SizedSettings(8, 8);
    DotMatrix font;
    r.RenderDotMatrix(s, u"A", &font);
    s.GLYPHS.Set(u'A', Diagonal(8));
    s.GLYPHS.Set(u'B', Diagonal(16));  // another size: B still comes from the font
    s.OFFSETX = 3;                     // offsets, font size and threshold move the font only
    s.THRESHOLD = u"999";
    ASSERT_EQ(GlyphEditFor(s, u"A"), s.GLYPHS.Find(u'A', 8, 8));
    EXPECT_EQ(GlyphEditFor(s, u"B"), nullptr);
    EXPECT_EQ(GlyphEditFor(s, u""), nullptr);
    EXPECT_EQ(GlyphEditFor(s, u"AB"), nullptr);

    DotMatrix m(3, 3);  // resized, as for the font
    ASSERT_TRUE(r.RenderDotMatrix(s, u"A", &m));
    EXPECT_EQ(m, Diagonal(8).ToMatrix());
    EXPECT_NE(m, font);
    // Both paths, with and without a preview, decide alike.
    RecordingPreview preview;
    DotMatrix slow;
    r.RenderDotMatrix(s, u"A", &slow, &preview);
    EXPECT_EQ(slow, m);
    EXPECT_EQ(preview.dots, 64);
    EXPECT_EQ(preview.lit, 15);
    EXPECT_EQ(preview.surfaceW, 8);  // the surface is the edit itself
    EXPECT_EQ(preview.surfaceH, 8);

    s.OFFSETX = 0;
    DotMatrix b;
    r.RenderDotMatrix(s, u"B", &b);
    s.GLYPHS.Clear();
    DotMatrix unedited;
    r.RenderDotMatrix(s, u"B", &unedited);
    EXPECT_EQ(b, unedited);
    // Too large a matrix is refused before any edit is looked at.
    s.GLYPHS.Set(u'A', Diagonal(8));
    s.WIDTH = u"99999";
    s.FONT.Width = 99999;
    EXPECT_THROW(r.RenderDotMatrix(s, u"A", &m), UserError);
}

TEST_F(PicturePath, APictureIsNeverEdited) {
    FixedDecoder decoder(RgbRaster(1, 1, kBlack));
    GlyphRenderer r(&decoder);
    ProjectSettings s = test::SizedSettings(4, 4);
    // Edits of the path's first unit and of the list's picture mark "☆" change nothing.
    s.GLYPHS.Set(file[0], Diagonal(4));
    s.GLYPHS.Set(u'☆', Diagonal(4));
    DotMatrix m;
    r.RenderDotMatrix(s, file, &m);
    EXPECT_EQ(LitCount(m), 0);
}

}  // namespace
}  // namespace zemtra

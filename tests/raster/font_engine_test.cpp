// Tests of the font layer on the installed fonts (Liberation Sans through "Arial", WenQuanYi
// Zen Hei): GDI's size rules against the fonts' own tables, placement on the baseline, the cell
// clip, strokes, synthesis, fallback, strikes and the face cache.
#include "raster/font_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/error.h"
#include "support/font_fixtures.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

// The few sfnt fields the size rules read, straight from the font file's bytes, so the
// expected values do not come from the code under test.
struct SfntFields {
    int unitsPerEm = 0, winAscent = 0, winDescent = 0, xAvgCharWidth = 0, capHeight = 0;
    int strikeoutSize = 0, strikeoutPosition = 0, underlinePosition = 0, underlineThickness = 0;
};

int U16(const std::string& b, size_t at) {
    return (static_cast<uint8_t>(b.at(at)) << 8) | static_cast<uint8_t>(b.at(at + 1));
}
int S16(const std::string& b, size_t at) {
    const int v = U16(b, at);
    return v >= 0x8000 ? v - 0x10000 : v;
}
size_t U32(const std::string& b, size_t at) {
    return (static_cast<size_t>(U16(b, at)) << 16) | static_cast<size_t>(U16(b, at + 2));
}

SfntFields ReadSfnt(const std::string& path, int faceIndex) {
    const std::string b = test::ReadBytes(path);
    size_t dir = 0;
    if (b.compare(0, 4, "ttcf") == 0) dir = U32(b, 12 + 4 * static_cast<size_t>(faceIndex));
    SfntFields f;
    const int numTables = U16(b, dir + 4);
    for (int i = 0; i < numTables; ++i) {
        const size_t rec = dir + 12 + 16 * static_cast<size_t>(i);
        const std::string tag = b.substr(rec, 4);
        const size_t at = U32(b, rec + 8);
        if (tag == "head") f.unitsPerEm = U16(b, at + 18);
        if (tag == "post") {
            f.underlinePosition = S16(b, at + 8);
            f.underlineThickness = S16(b, at + 10);
        }
        if (tag == "OS/2") {
            f.xAvgCharWidth = S16(b, at + 2);
            f.strikeoutSize = S16(b, at + 26);
            f.strikeoutPosition = S16(b, at + 28);
            f.winAscent = U16(b, at + 74);
            f.winDescent = U16(b, at + 76);
            if (U16(b, at) >= 2) f.capHeight = S16(b, at + 88);
        }
    }
    return f;
}

// "file" or "file (face N)" as ResolvedFace gives it.
SfntFields SfntOf(FontEngine& engine, const LogFont& font) {
    std::string name = engine.ResolvedFace(font);
    int index = 0;
    const size_t mark = name.find(" (face ");
    if (mark != std::string::npos) {
        index = std::stoi(name.substr(mark + 7));
        name.resize(mark);
    }
    return ReadSfnt(name, index);
}

int RoundHalfUp(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

GlyphInk Draw(FontEngine& engine, const LogFont& font, std::u16string_view text) {
    GlyphInk ink;
    engine.DrawCharacter(font, text, ink);
    return ink;
}

int InkCount(const GlyphInk& ink) {
    return static_cast<int>(std::count(ink.pixels.begin(), ink.pixels.end(), uint8_t{1}));
}

// Rows and columns that hold at least one white pixel, in cell coordinates.
struct InkBounds {
    int top = 1 << 30, bottom = -1, left = 1 << 30, right = -1;
};
InkBounds BoundsOf(const GlyphInk& ink) {
    InkBounds b;
    for (int y = 0; y < ink.height; ++y) {
        for (int x = 0; x < ink.width; ++x) {
            if (!ink.pixels[static_cast<size_t>(y * ink.width + x)]) continue;
            b.top = std::min(b.top, ink.top + y);
            b.bottom = std::max(b.bottom, ink.top + y);
            b.left = std::min(b.left, ink.left + x);
            b.right = std::max(b.right, ink.left + x);
        }
    }
    return b;
}

bool SameInk(const GlyphInk& a, const GlyphInk& b, int dy = 0) {
    return a.left == b.left && a.top == b.top + dy && a.width == b.width && a.height == b.height &&
           a.pixels == b.pixels;
}

bool RowFull(const GlyphInk& ink, int row, int from, int to) {
    for (int x = from; x < to; ++x) {
        if (!ink.White(x, row)) return false;
    }
    return true;
}

TEST(FontFamilyInstalled, ListsExactInstalledFamilies) {
    EXPECT_TRUE(FontFamilyInstalled(u"Liberation Sans"));
    EXPECT_TRUE(FontFamilyInstalled(u"liberation sans"));  // face names ignore case
    EXPECT_TRUE(FontFamilyInstalled(u"文泉驿正黑"));       // a localised family name
    EXPECT_FALSE(FontFamilyInstalled(u"No Such Family 123"));
    EXPECT_FALSE(FontFamilyInstalled(u"LiberationSans"));
    EXPECT_FALSE(FontFamilyInstalled(u"Liberation"));
    EXPECT_FALSE(FontFamilyInstalled(u""));
    // Zemtra's fontconfig rules draw 宋体 with another face; no family has that name.
    EXPECT_FALSE(FontFamilyInstalled(u"宋体"));
}

TEST(FontEngineResolve, FollowsAliasesWeightAndSlant) {
    FontEngine engine;
    LogFont arial = test::FontOf(u"Arial", 16);
    EXPECT_NE(engine.ResolvedFace(arial).find("LiberationSans-Regular.ttf"), std::string::npos);
    arial.Weight = 700;
    EXPECT_NE(engine.ResolvedFace(arial).find("LiberationSans-Bold.ttf"), std::string::npos);
    arial.Italic = 1;
    EXPECT_NE(engine.ResolvedFace(arial).find("LiberationSans-BoldItalic.ttf"), std::string::npos);
    EXPECT_NE(engine.ResolvedFace(test::FontOf(u"WenQuanYi Zen Hei Sharp", 16)).find("(face 2)"),
              std::string::npos);

    // An unknown face still draws, in fontconfig's default.
    const LogFont unknown = test::FontOf(u"No Such Family 123", 16);
    EXPECT_FALSE(engine.ResolvedFace(unknown).empty());
    EXPECT_GT(InkCount(Draw(engine, unknown, u"A")), 0);
}

TEST(FontEngineSize, PositiveHeightFollowsTheWinMetricsFormula) {
    FontEngine engine;
    for (const char16_t* face : {u"Arial", u"WenQuanYi Zen Hei"}) {
        const SfntFields t = SfntOf(engine, test::FontOf(face, 16));
        ASSERT_GT(t.unitsPerEm, 0);
        const int units = t.winAscent + t.winDescent;
        for (int height = 1; height <= 80; ++height) {
            int ppem = RoundHalfUp(double(t.unitsPerEm) * height / units);
            if (RoundHalfUp(double(units) * ppem / t.unitsPerEm) > height) --ppem;
            const FontCellMetrics m = engine.Metrics(test::FontOf(face, height));
            ASSERT_EQ(m.ppem, std::max(ppem, 1)) << "height " << height;
            EXPECT_EQ(m.ascent, RoundHalfUp(double(t.winAscent) * m.ppem / t.unitsPerEm));
            EXPECT_EQ(m.descent, RoundHalfUp(double(t.winDescent) * m.ppem / t.unitsPerEm));
            EXPECT_EQ(m.averageWidth,
                      std::max(1, RoundHalfUp(double(t.xAvgCharWidth) * m.ppem / t.unitsPerEm)));
        }
    }
    // By hand: Liberation Sans 2048/1854/434, WenQuanYi Zen Hei 1024/986/304.
    EXPECT_EQ(engine.Metrics(test::FontOf(u"Arial", 16)).ppem, 14);
    EXPECT_EQ(engine.Metrics(test::FontOf(u"Arial", 16)).ascent, 13);
    EXPECT_EQ(engine.Metrics(test::FontOf(u"Arial", 16)).descent, 3);
    const FontCellMetrics wqy = engine.Metrics(test::FontOf(u"WenQuanYi Zen Hei", 16));
    EXPECT_EQ(wqy.ppem, 13);
    EXPECT_EQ(wqy.ascent + wqy.descent, 17);  // rounded separately, one more than asked
    EXPECT_EQ(wqy.averageWidth, 6);
}

TEST(FontEngineSize, NegativeHeightIsTheEmAndZeroTheDefault) {
    FontEngine engine;
    EXPECT_EQ(engine.Metrics(test::FontOf(u"Arial", -16)).ppem, 16);
    EXPECT_EQ(engine.Metrics(test::FontOf(u"Arial", -1)).ppem, 1);
    EXPECT_GT(engine.Metrics(test::FontOf(u"Arial", -16)).ppem,
              engine.Metrics(test::FontOf(u"Arial", 16)).ppem);
    const FontCellMetrics byDefault = engine.Metrics(test::FontOf(u"Arial", 0, 40));
    const FontCellMetrics sixteen = engine.Metrics(test::FontOf(u"Arial", 16));
    EXPECT_EQ(byDefault.ppem, sixteen.ppem);
    EXPECT_EQ(byDefault.averageWidth, sixteen.averageWidth);  // the width is ignored too
    EXPECT_TRUE(SameInk(Draw(engine, test::FontOf(u"Arial", 0, 40), u"W"),
                        Draw(engine, test::FontOf(u"Arial", 16), u"W")));
}

TEST(FontEngineSize, WidthScalesTheGlyphsHorizontally) {
    FontEngine engine;
    const int natural = engine.Metrics(test::FontOf(u"Arial", -32)).averageWidth;
    const InkBounds normal = BoundsOf(Draw(engine, test::FontOf(u"Arial", -32), u"H"));
    const InkBounds wide = BoundsOf(Draw(engine, test::FontOf(u"Arial", -32, 2 * natural), u"H"));
    const InkBounds narrow =
        BoundsOf(Draw(engine, test::FontOf(u"Arial", -32, -natural / 2), u"H"));
    const double w = normal.right - normal.left + 1;
    EXPECT_NEAR((wide.right - wide.left + 1) / w, 2.0, 0.2);
    EXPECT_NEAR((narrow.right - narrow.left + 1) / w, 0.5, 0.1);
    // The height stays.
    EXPECT_EQ(wide.top, normal.top);
    EXPECT_EQ(wide.bottom, normal.bottom);
    EXPECT_EQ(engine.Metrics(test::FontOf(u"Arial", -32, 2 * natural)).averageWidth, 2 * natural);
    // The natural width itself changes nothing.
    EXPECT_TRUE(SameInk(Draw(engine, test::FontOf(u"Arial", -32, natural), u"H"),
                        Draw(engine, test::FontOf(u"Arial", -32), u"H")));
}

TEST(FontEnginePlacement, HSitsOnTheBaseline) {
    FontEngine engine;
    for (int32_t height : {-32, 16, 40}) {
        const LogFont font = test::FontOf(u"Arial", height);
        const FontCellMetrics m = engine.Metrics(font);
        const SfntFields t = SfntOf(engine, font);
        const InkBounds h = BoundsOf(Draw(engine, font, u"H"));
        EXPECT_EQ(h.bottom, m.ascent - 1) << height;
        const int cap = RoundHalfUp(double(t.capHeight) * m.ppem / t.unitsPerEm);
        EXPECT_NEAR(h.top, m.ascent - cap, 1) << height;
        EXPECT_GE(h.left, 0);
        EXPECT_LT(h.right, m.averageWidth * 2);
        // A descender goes below the baseline, inside the cell.
        const InkBounds g = BoundsOf(Draw(engine, font, u"g"));
        EXPECT_GT(g.bottom, m.ascent - 1);
        EXPECT_LT(g.bottom, m.ascent + m.descent);
    }
}

TEST(FontEnginePlacement, InkStaysInsideTheCellRows) {
    FontEngine engine;
    // Strokes placed below the cell of a tiny font, and glyphs of every kind: nothing leaves
    // rows [0, ascent + descent).
    for (int32_t height : {3, 8, 16}) {
        LogFont font = test::FontOf(u"Arial", height);
        font.Underline = font.StrikeOut = 1;
        const FontCellMetrics m = engine.Metrics(font);
        for (char16_t c : std::u16string(u"HgjÅÇ|[]_中ǺЙ")) {
            const GlyphInk ink = Draw(engine, font, std::u16string(1, c));
            if (ink.width == 0) continue;
            EXPECT_GE(ink.top, 0);
            EXPECT_LE(ink.top + ink.height, m.ascent + m.descent) << int(c) << " at " << height;
        }
    }
    // At a 16 px cell (ppem 14, ascent 13, descent 3) FreeType draws the cedilla of 'Ç' down
    // to 4 rows below the baseline and the ring of 'Ů' 14 rows above it: both are cut at the
    // cell's edge, the rest stays.
    const LogFont arial = test::FontOf(u"Arial", 16);
    const InkBounds cedilla = BoundsOf(Draw(engine, arial, u"Ç"));
    EXPECT_EQ(cedilla.bottom, 15);
    EXPECT_EQ(cedilla.top, BoundsOf(Draw(engine, arial, u"C")).top);
    EXPECT_EQ(BoundsOf(Draw(engine, arial, u"Ů")).top, 0);
}

TEST(FontEngineStrokes, UnderlineAndStrikeOutRowsFollowTheTables) {
    FontEngine engine;
    for (int32_t height : {16, -48}) {
        LogFont font = test::FontOf(u"Arial", height);
        const FontCellMetrics m = engine.Metrics(font);
        const SfntFields t = SfntOf(engine, font);
        const GlyphInk plain = Draw(engine, font, u" ");
        EXPECT_EQ(InkCount(plain), 0);
        const GlyphInk x = Draw(engine, font, u"x");
        const int advanceGuess = BoundsOf(x).right + 1;

        font.Underline = 1;
        const GlyphInk under = Draw(engine, font, u" ");
        const int size =
            std::max(1, RoundHalfUp(double(t.underlineThickness) * m.ppem / t.unitsPerEm));
        const int top =
            m.ascent -
            (RoundHalfUp(double(t.underlinePosition) * m.ppem / t.unitsPerEm) + size / 2);
        EXPECT_EQ(BoundsOf(under).top, top) << height;
        EXPECT_EQ(BoundsOf(under).bottom, top + size - 1);
        EXPECT_EQ(BoundsOf(under).left, 0);
        EXPECT_TRUE(RowFull(under, top, 0, BoundsOf(under).right + 1));

        font.Underline = 0;
        font.StrikeOut = 1;
        const GlyphInk strike = Draw(engine, font, u"x");
        const int ssize = std::max(1, RoundHalfUp(double(t.strikeoutSize) * m.ppem / t.unitsPerEm));
        const int stop =
            m.ascent -
            (RoundHalfUp(double(t.strikeoutPosition) * m.ppem / t.unitsPerEm) + ssize / 2);
        EXPECT_TRUE(RowFull(strike, stop, 0, advanceGuess)) << height;
        EXPECT_FALSE(RowFull(x, stop, 0, advanceGuess));
        // The glyph is still there under the stroke.
        for (int y = 0; y < x.height; ++y) {
            for (int c = 0; c < x.width; ++c) {
                if (x.pixels[static_cast<size_t>(y * x.width + c)]) {
                    ASSERT_TRUE(strike.White(x.left + c, x.top + y));
                }
            }
        }
    }
    // Strokes of an empty text: nothing at all.
    LogFont font = test::FontOf(u"Arial", 16);
    font.Underline = font.StrikeOut = 1;
    const GlyphInk empty = Draw(engine, font, u"");
    EXPECT_EQ(empty.width * empty.height, 0);
}

TEST(FontEngineSynthesis, BoldAndItalicWhereTheFaceHasNone) {
    FontEngine engine;
    LogFont font = test::FontOf(u"WenQuanYi Zen Hei", -24);
    const GlyphInk regular = Draw(engine, font, u"中");
    font.Weight = 700;
    const GlyphInk bold = Draw(engine, font, u"中");
    EXPECT_GT(InkCount(bold), InkCount(regular) * 11 / 10);
    EXPECT_EQ(BoundsOf(bold).left, BoundsOf(regular).left);  // widened to the right
    font.Weight = 600;
    EXPECT_GT(InkCount(Draw(engine, font, u"中")), InkCount(regular));
    font.Weight = 550;
    EXPECT_TRUE(SameInk(Draw(engine, font, u"中"), regular));

    font.Weight = 400;
    font.Italic = 1;
    const InkBounds upright = BoundsOf(Draw(engine, test::FontOf(u"WenQuanYi Zen Hei", -24), u"l"));
    const GlyphInk slanted = Draw(engine, font, u"l");
    const InkBounds s = BoundsOf(slanted);
    // The top leans right of the bottom.
    int topX = -1, bottomX = -1;
    for (int x = s.left; x <= s.right; ++x) {
        if (topX < 0 && slanted.White(x, s.top)) topX = x;
        if (bottomX < 0 && slanted.White(x, s.bottom)) bottomX = x;
    }
    EXPECT_GT(topX, bottomX + 2);
    EXPECT_GT(s.right - s.left, upright.right - upright.left);
}

TEST(FontEngineFallback, MissingCharactersComeFromAnotherFace) {
    FontEngine engine;
    // The same em, inside Arial's cell: AR PL UMing's own glyph, moved to Arial's baseline
    // (font_linking_test.cpp has the rules).
    const LogFont arial = test::FontOf(u"Arial", -20);
    const LogFont uming = test::FontOf(u"AR PL UMing CN", -20);
    const LogFont wqy = test::FontOf(u"WenQuanYi Zen Hei", -20);
    const GlyphInk fromArial = Draw(engine, arial, u"中");
    ASSERT_GT(InkCount(fromArial), 0);
    EXPECT_TRUE(SameInk(fromArial, Draw(engine, uming, u"中"),
                        engine.Metrics(arial).ascent - engine.Metrics(uming).ascent));

    // No face has the noncharacter U+FFFF or a lone surrogate (U+0378 will not do: Unifont draws
    // placeholders for unassigned codes): the primary face's default glyph, a box.
    const GlyphInk none = Draw(engine, arial, std::u16string(1, char16_t{0xFFFF}));
    const GlyphInk lone = Draw(engine, arial, std::u16string(1, char16_t{0xD800}));
    EXPECT_GT(InkCount(none), 0);
    EXPECT_TRUE(SameInk(none, lone));
    EXPECT_FALSE(SameInk(lone, Draw(engine, wqy, std::u16string(1, char16_t{0xDC00}))));
}

TEST(FontEngineStrikes, EmbeddedBitmapsOnlyAtTheirSizeUnscaled) {
    FontEngine engine;
    // The Sharp face carries 12..16 px strikes over the same outlines as Zen Hei.
    const GlyphInk strike = Draw(engine, test::FontOf(u"WenQuanYi Zen Hei Sharp", -16), u"国");
    const GlyphInk outline = Draw(engine, test::FontOf(u"WenQuanYi Zen Hei", -16), u"国");
    EXPECT_FALSE(SameInk(strike, outline));
    EXPECT_TRUE(SameInk(Draw(engine, test::FontOf(u"WenQuanYi Zen Hei Sharp", -20), u"国"),
                        Draw(engine, test::FontOf(u"WenQuanYi Zen Hei", -20), u"国")));
    // Bold over a strike overstrikes its bits one pixel to the right.
    LogFont bold = test::FontOf(u"WenQuanYi Zen Hei Sharp", -16);
    bold.Weight = 700;
    const GlyphInk heavy = Draw(engine, bold, u"国");
    const InkBounds sb = BoundsOf(strike);
    const InkBounds hb = BoundsOf(heavy);
    EXPECT_EQ(hb.left, sb.left);
    EXPECT_EQ(hb.right, sb.right + 1);
    for (int y = sb.top; y <= sb.bottom; ++y) {
        for (int x = sb.left; x <= sb.right + 1; ++x) {
            ASSERT_EQ(heavy.White(x, y), strike.White(x, y) || strike.White(x - 1, y)) << x << y;
        }
    }
    // A scaling width leaves the strike for the outlines.
    EXPECT_TRUE(SameInk(Draw(engine, test::FontOf(u"WenQuanYi Zen Hei Sharp", -16, 11), u"国"),
                        Draw(engine, test::FontOf(u"WenQuanYi Zen Hei", -16, 11), u"国")));
}

TEST(FontEngineCache, ResultsDoNotDependOnIt) {
    FontEngine engine;
    const LogFont arial = test::FontOf(u"Arial", 16);
    const GlyphInk first = Draw(engine, arial, u"A");
    Draw(engine, test::FontOf(u"WenQuanYi Zen Hei", 24, 9), u"中");
    const GlyphInk again = Draw(engine, arial, u"A");
    EXPECT_TRUE(SameInk(first, again));
    // Push it out of the cache with other descriptions, then come back.
    for (int32_t h = 10; h < 20; ++h) Draw(engine, test::FontOf(u"Liberation Serif", h), u"A");
    EXPECT_TRUE(SameInk(first, Draw(engine, arial, u"A")));
    FontEngine fresh;
    EXPECT_TRUE(SameInk(first, Draw(fresh, arial, u"A")));
    // A changed description re-resolves.
    LogFont bold = arial;
    bold.Weight = 700;
    EXPECT_FALSE(SameInk(first, Draw(engine, bold, u"A")));
    // The ink box is replaced, not added to.
    GlyphInk reused = Draw(engine, test::FontOf(u"Arial", -60), u"W");
    engine.DrawCharacter(arial, u"A", reused);
    EXPECT_TRUE(SameInk(first, reused));
    engine.DrawCharacter(arial, u"", reused);
    EXPECT_EQ(reused.width * reused.height, 0);
}

TEST(FontEngineErrors, RefusesSizesBeyondTheLimit) {
    FontEngine engine;
    try {
        engine.Metrics(test::FontOf(u"Arial", kMaxFontSize + 1));
        FAIL() << "no error";
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot load font \"Arial\": ", 0), 0u) << e.what();
    }
    EXPECT_THROW(engine.Metrics(test::FontOf(u"Arial", 16, -kMaxFontSize - 1)), UserError);
    EXPECT_NO_THROW(engine.Metrics(test::FontOf(u"Arial", -kMaxFontSize)));
}

}  // namespace
}  // namespace zemtra

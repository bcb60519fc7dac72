// Font linking on the installed fonts: characters the chosen face lacks come from a linked face
// sized by its own metrics from the same height and width, on the chosen face's baseline; CJK
// characters from the pixel-designed Chinese faces (AR PL UMing, WenQuanYi Bitmap Song), and
// the SimSun and MingLiU names through Zemtra's fontconfig rules.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

#include "base/code_page.h"
#include "base/project_settings.h"
#include "base/unicode.h"
#include "raster/font_engine.h"
#include "raster/glyph_renderer.h"
#include "raster/new_project.h"
#include "support/font_fixtures.h"

namespace zemtra {
namespace {

constexpr char16_t kUMing[] = u"AR PL UMing CN";
constexpr char kUMingFile[] = "/usr/share/fonts/truetype/arphic/uming.ttc";

GlyphInk Draw(FontEngine& engine, const LogFont& font, char16_t c) {
    GlyphInk ink;
    engine.DrawCharacter(font, std::u16string_view(&c, 1), ink);
    return ink;
}

// a's dots are b's moved dy rows down.
bool SameDotsMoved(const GlyphInk& a, const GlyphInk& b, int dy) {
    return a.left == b.left && a.top == b.top + dy && a.width == b.width && a.height == b.height &&
           a.pixels == b.pixels;
}

bool Whole(const GlyphInk& ink, const FontCellMetrics& cell) {
    return ink.top >= 0 && ink.top + ink.height <= cell.ascent + cell.descent;
}

// New's font where no 宋体 is installed (the test machines have none), at a W x H matrix.
ProjectSettings NewProject(int size) {
    ProjectSettings s;
    ApplyNew(s);
    s.BLOCKNUMX = s.BLOCKNUMY = Utf8ToUtf16(std::to_string(size));
    DeriveFontSize(s);
    return s;
}

// A lit rectangle outline at least 3 x 3 dots within the columns [0, columns): the 口 of 啊 and
// of 中. Scaled by Arial's metrics the fallback face drew it as one column.
bool HasClosedBox(const DotMatrix& m, int columns, int* boxTop = nullptr, int* boxBottom = nullptr,
                  int* boxLeft = nullptr, int* boxRight = nullptr) {
    const auto row = [&](int y, int l, int r) {
        for (int x = l; x <= r; ++x) {
            if (!m.Lit(x, y)) return false;
        }
        return true;
    };
    const auto column = [&](int x, int t, int b) {
        for (int y = t; y <= b; ++y) {
            if (!m.Lit(x, y)) return false;
        }
        return true;
    };
    // The outermost first: the top row, then the widest, then the tallest.
    for (int t = 0; t < m.Height(); ++t) {
        for (int l = 0; l < columns; ++l) {
            for (int r = columns - 1; r >= l + 2; --r) {
                for (int b = m.Height() - 1; b >= t + 2; --b) {
                    if (row(t, l, r) && row(b, l, r) && column(l, t, b) && column(r, t, b)) {
                        if (boxTop) *boxTop = t, *boxBottom = b, *boxLeft = l, *boxRight = r;
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

TEST(FontLinking, GbLevelOneThroughNewsFaceIsThePixelFaceMovedToTheBaseline) {
    // 16 x 16: Arial's cell height 16 and width 8, created as AR PL UMing, is 15 ppem with an
    // average width of 8: its 15 px bitmaps, unscaled. Every level-1 character, walked as the
    // GB2312 library walks its rows, is exactly AR PL UMing's own drawing at the same settings.
    const ProjectSettings s = NewProject(16);
    ASSERT_EQ(s.FONT.FaceName, u"Arial");
    FontEngine linked;
    FontEngine own;
    const LogFont uming = test::FontOf(kUMing, s.FONT.Height, s.FONT.Width);
    const FontCellMetrics chosen = linked.Metrics(s.FONT);
    const FontCellMetrics pixel = own.Metrics(uming);
    EXPECT_EQ(pixel.ppem, 15);
    EXPECT_EQ(pixel.averageWidth, s.FONT.Width);
    const int dy = chosen.ascent - pixel.ascent;
    int characters = 0;
    int differing = 0;
    for (int high = 0xB0; high <= 0xD7; ++high) {
        for (int low = 0xA1; low <= (high == 0xD7 ? 0xF9 : 0xFE); ++low) {
            const std::u16string c = CodeToCharacter(static_cast<uint16_t>(high << 8 | low),
                                                     static_cast<int32_t>(CodePageKind::Gb2312));
            ASSERT_EQ(c.size(), 1u) << std::hex << high << low;
            ++characters;
            const GlyphInk through = Draw(linked, s.FONT, c[0]);
            const GlyphInk alone = Draw(own, uming, c[0]);
            if (!SameDotsMoved(through, alone, dy) || !Whole(through, chosen)) {
                ADD_FAILURE() << "GB2312 " << std::hex << high << low;
                if (++differing > 10) return;
            }
        }
    }
    EXPECT_EQ(characters, 3755);
}

// The glyph in FreeType's slot, placed as GlyphInk places it on a baseline.
bool SameAsSlot(const GlyphInk& ink, const FT_GlyphSlot slot, int baseline) {
    const FT_Bitmap& b = slot->bitmap;
    if (b.pixel_mode != FT_PIXEL_MODE_MONO || ink.height != static_cast<int>(b.rows) ||
        ink.top != baseline - slot->bitmap_top) {
        return false;
    }
    for (int y = 0; y < ink.height; ++y) {
        for (int x = ink.left; x < ink.left + ink.width; ++x) {
            const int bx = x - slot->bitmap_left;
            const bool bit = bx >= 0 && bx < static_cast<int>(b.width) &&
                             (b.buffer[y * b.pitch + bx / 8] >> (7 - bx % 8)) & 1;
            if (ink.White(x, y + ink.top) != bit) return false;
        }
    }
    return true;
}

TEST(FontLinking, PixelFaceDrawsItsEmbeddedBitmapsAtTheirSizes) {
    // AR PL UMing's 11 and 15 px bitmaps are hand-made, not its outlines at that size: the
    // linked glyph is the bitmap, loaded here with FreeType alone.
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, kUMingFile, 0, &face), 0);
    FontEngine engine;
    for (const int size : {12, 16}) {
        const ProjectSettings s = NewProject(size);
        const int baseline = engine.Metrics(s.FONT).ascent;
        ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, size == 12 ? 11 : 15), 0);
        for (const char16_t c : {u'啊', u'中'}) {
            const GlyphInk ink = Draw(engine, s.FONT, c);
            const FT_UInt glyph = FT_Get_Char_Index(face, c);
            ASSERT_EQ(FT_Load_Glyph(face, glyph, FT_LOAD_TARGET_MONO | FT_LOAD_RENDER), 0);
            EXPECT_TRUE(SameAsSlot(ink, face->glyph, baseline)) << size;
            ASSERT_EQ(FT_Load_Glyph(face, glyph, FT_LOAD_TARGET_MONO), 0);
            EXPECT_EQ(face->glyph->format, FT_GLYPH_FORMAT_BITMAP);  // a bitmap, not outlines
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

TEST(FontLinking, AhAndZhongComeOutWholeThroughNewsFace) {
    GlyphRenderer renderer;
    FontEngine own;
    for (const int size : {12, 16, 24}) {
        SCOPED_TRACE(size);
        const ProjectSettings s = NewProject(size);
        const FontCellMetrics chosen = renderer.Fonts().Metrics(s.FONT);
        // The largest AR PL UMing whose cell fits Arial's: its own size at 12 and 16; at 24
        // its own 23 ppem would stand above Arial's ascent, and 21 is the largest that fits.
        LogFont uming = test::FontOf(kUMing, s.FONT.Height, s.FONT.Width);
        const FontCellMetrics natural = own.Metrics(uming);
        int ppem = natural.ppem;
        for (;; --ppem) {
            const FontCellMetrics m = own.Metrics(test::FontOf(kUMing, -ppem));
            if (m.ascent <= chosen.ascent && m.descent <= chosen.descent) break;
        }
        EXPECT_EQ(ppem, size == 24 ? 21 : natural.ppem);
        if (ppem != natural.ppem) uming = test::FontOf(kUMing, -ppem);  // its width was its own
        for (const char16_t c : {u'啊', u'中'}) {
            DotMatrix m;
            ASSERT_TRUE(renderer.RenderDotMatrix(s, std::u16string(1, c), &m));
            const GlyphInk through = Draw(renderer.Fonts(), s.FONT, c);
            EXPECT_TRUE(SameDotsMoved(through, Draw(own, uming, c),
                                      chosen.ascent - own.Metrics(uming).ascent));
            EXPECT_TRUE(Whole(through, chosen));
            int top = 0, bottom = 0, left = 0, right = 0;
            if (c == u'啊') {
                // The 口 radical on the left, with both its sides.
                EXPECT_TRUE(HasClosedBox(m, size / 3 + 1)) << "啊";
                continue;
            }
            // 中: the box, and the stroke through it from above its top to below its bottom.
            ASSERT_TRUE(HasClosedBox(m, size, &top, &bottom, &left, &right));
            bool stroke = false;
            for (int x = left + 1; x < right && !stroke; ++x) {
                stroke = m.Lit(x, top - 1) && m.Lit(x, bottom + 1);
                for (int y = top - 1; y <= bottom + 1 && stroke; ++y) stroke = m.Lit(x, y);
            }
            EXPECT_TRUE(stroke);
        }
    }
}

TEST(FontLinking, OtherCharactersComeFromFontconfigsOrderSizedByTheirOwnMetrics) {
    FontEngine engine;
    // ☃ is in DejaVu Sans, not in Liberation Sans. DejaVu's own cell at a 20 px em stands a row
    // above Arial's ascent (19 against 18), so it draws at 19 ppem, which fits.
    const LogFont arial = test::FontOf(u"Arial", -20);
    const LogFont dejavu = test::FontOf(u"DejaVu Sans", -20);
    const FontCellMetrics chosen = engine.Metrics(arial);
    ASSERT_GT(engine.Metrics(dejavu).ascent, chosen.ascent);
    const LogFont fitted = test::FontOf(u"DejaVu Sans", -19);
    ASSERT_LE(engine.Metrics(fitted).ascent, chosen.ascent);
    const GlyphInk snowman = Draw(engine, arial, u'☃');
    EXPECT_TRUE(SameDotsMoved(snowman, Draw(engine, fitted, u'☃'),
                              chosen.ascent - engine.Metrics(fitted).ascent));
    EXPECT_FALSE(SameDotsMoved(snowman, Draw(engine, dejavu, u'☃'),
                               chosen.ascent - engine.Metrics(dejavu).ascent));

    // A Japanese character set asks for Japanese faces: no Chinese preference then.
    LogFont japanese = test::FontOf(u"Arial", 16, 8);
    japanese.CharSet = 128;
    EXPECT_FALSE(SameDotsMoved(
        Draw(engine, japanese, u'啊'), Draw(engine, test::FontOf(kUMing, 16, 8), u'啊'),
        engine.Metrics(japanese).ascent - engine.Metrics(test::FontOf(kUMing, 16, 8)).ascent));
    // The Big5 character set links the Traditional face, whose 骨 is drawn differently.
    LogFont big5 = test::FontOf(u"Arial", 16, 8);
    big5.CharSet = 136;
    const GlyphInk traditional = Draw(engine, big5, u'骨');
    EXPECT_TRUE(
        SameDotsMoved(traditional, Draw(engine, test::FontOf(u"AR PL UMing TW", 16, 8), u'骨'), 0));
    EXPECT_FALSE(SameDotsMoved(traditional, Draw(engine, test::FontOf(u"Arial", 16, 8), u'骨'), 0));
}

TEST(FontLinking, SimSunAndMingLiUNamesDrawThePixelFaces) {
    // Zemtra's fontconfig rules: a SimSun name at 12 to 16 px is WenQuanYi Bitmap Song's
    // bitmap of that size (one PCF file per size), elsewhere AR PL UMing; the MingLiU names are
    // AR PL UMing's Traditional face.
    FontEngine engine;
    for (const char16_t* name : {u"宋体", u"SimSun", u"新宋体", u"NSimSun"}) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(name)));
        EXPECT_EQ(engine.ResolvedFace(test::FontOf(name, 12, 6)),
                  "/usr/share/fonts/X11/misc/wenquanyi_9pt.pcf");
        EXPECT_EQ(engine.ResolvedFace(test::FontOf(name, 14, 7)),
                  "/usr/share/fonts/X11/misc/wenquanyi_13px.pcf");
        EXPECT_EQ(engine.ResolvedFace(test::FontOf(name, 16, 8)),
                  "/usr/share/fonts/X11/misc/wenquanyi_12pt.pcf");
        EXPECT_EQ(engine.ResolvedFace(test::FontOf(name, -16)),
                  "/usr/share/fonts/X11/misc/wenquanyi_12pt.pcf");
        EXPECT_FALSE(engine.HasOutlines(test::FontOf(name, 16, 8)));
        EXPECT_EQ(engine.ResolvedFace(test::FontOf(name, 24, 12)), kUMingFile);
        EXPECT_EQ(engine.ResolvedFace(test::FontOf(name, 11, 5)), kUMingFile);
    }
    for (const char16_t* name : {u"細明體", u"新細明體", u"MingLiU", u"PMingLiU"}) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(name)));
        for (const int size : {12, 16, 24}) {
            EXPECT_EQ(engine.ResolvedFace(test::FontOf(name, size, size / 2)),
                      std::string(kUMingFile) + " (face 2)");
        }
    }
    // Other names are left alone, serif ones too (fontconfig lists SimSun among its serifs).
    EXPECT_EQ(engine.ResolvedFace(test::FontOf(u"Liberation Serif", 16)).find("uming"),
              std::string::npos);
    LogFont serif = test::FontOf(u"", 16);
    serif.PitchAndFamily = 0x12;  // FF_ROMAN
    EXPECT_EQ(engine.ResolvedFace(serif).find("wenquanyi"), std::string::npos);
    // No family carries the Windows names, so New's choice of face stays with what is installed.
    EXPECT_FALSE(FontFamilyInstalled(u"宋体"));
    EXPECT_FALSE(FontFamilyInstalled(u"SimSun"));
    EXPECT_TRUE(FontFamilyInstalled(u"WenQuanYi Bitmap Song"));
    EXPECT_TRUE(FontFamilyInstalled(u"AR PL UMing CN"));
}

}  // namespace
}  // namespace zemtra

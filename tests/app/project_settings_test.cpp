// ProjectSettings' value rules: numeric texts, word widths, code ranges, the font-size
// derivation, New's defaults and the render limits.
#include "app/project_settings.h"

#include <gtest/gtest.h>

#include "app/unicode.h"

namespace zemtra {
namespace {

TEST(Value, LeadingDecimalIntegerOfTheText) {
    EXPECT_EQ(Value(u"16"), 16);
    EXPECT_EQ(Value(u"  \t-7abc"), -7);
    EXPECT_EQ(Value(u"+12x"), 12);
    EXPECT_EQ(Value(u"x12"), 0);
    EXPECT_EQ(Value(u""), 0);
    EXPECT_EQ(Value(u"-"), 0);
    EXPECT_EQ(Value(u"１６"), 0);  // full-width digits are not digits here
    EXPECT_EQ(Value("0042"), 42);
}

TEST(Value, SaturatesInsteadOfWrapping) {
    EXPECT_EQ(Value(u"2147483647"), INT32_MAX);
    EXPECT_EQ(Value(u"2147483648"), INT32_MAX);
    EXPECT_EQ(Value(u"99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(Value(u"-2147483648"), INT32_MIN);
    EXPECT_EQ(Value(u"-99999999999999999999"), INT32_MIN);
}

TEST(DataWidth, FourBitsIsTheLastIndexAndUnknownIsEight) {
    EXPECT_EQ(DataWidth(0), 8);
    EXPECT_EQ(DataWidth(1), 16);
    EXPECT_EQ(DataWidth(2), 24);
    EXPECT_EQ(DataWidth(3), 32);
    EXPECT_EQ(DataWidth(4), 4);
    EXPECT_EQ(DataWidth(-1), 8);
    EXPECT_EQ(DataWidth(9), 8);
}

TEST(CodeRangeOf, EachCodePageAndUnknownAsUnicode) {
    auto eq = [](CodeRange r, uint16_t lo, uint16_t hi) {
        return r.lowest == lo && r.highest == hi;
    };
    EXPECT_TRUE(eq(CodeRangeOf(0), 0x0000, 0xFFFF));
    EXPECT_TRUE(eq(CodeRangeOf(1), 0x0000, 0xFFFF));
    EXPECT_TRUE(eq(CodeRangeOf(2), 0xA1A1, 0xFEFE));
    EXPECT_TRUE(eq(CodeRangeOf(3), 0x8140, 0xFEFE));
    EXPECT_TRUE(eq(CodeRangeOf(4), 0xA140, 0xF9FE));
    EXPECT_TRUE(eq(CodeRangeOf(7), 0x0000, 0xFFFF));
    EXPECT_TRUE(eq(CodeRangeOf(-1), 0x0000, 0xFFFF));
}

TEST(DeriveFontSize, HalfTheWidthOrAThirdForHuawenXingkai) {
    ProjectSettings s;
    s.BLOCKNUMX = u"20";
    s.BLOCKNUMY = u"24";
    s.FONT.FaceName = u"Arial";
    DeriveFontSize(s);
    EXPECT_EQ(s.FONT.Width, 10);
    EXPECT_EQ(s.FONT.Height, 24);
    EXPECT_EQ(s.WIDTH, u"10");
    EXPECT_EQ(s.HEIGHT, u"24");
    s.FONT.FaceName = u"华文行楷 Bold";
    DeriveFontSize(s);
    EXPECT_EQ(s.FONT.Width, 6);
    EXPECT_EQ(s.WIDTH, u"6");
}

TEST(DeriveFontSize, NegativeSizesTruncateTowardZeroAndShowAbsoluteValues) {
    ProjectSettings s;
    s.BLOCKNUMX = u"-7";
    s.BLOCKNUMY = u"-5";
    DeriveFontSize(s);
    EXPECT_EQ(s.FONT.Width, -3);
    EXPECT_EQ(s.WIDTH, u"3");
    EXPECT_EQ(s.FONT.Height, -5);
    EXPECT_EQ(s.HEIGHT, u"5");
    s.BLOCKNUMX = u"-2147483648";
    s.BLOCKNUMY = u"-2147483648";
    DeriveFontSize(s);
    EXPECT_EQ(s.HEIGHT, u"2147483648");  // the absolute value of the smallest height
}

TEST(ProjectSettings, PreNewValues) {
    const ProjectSettings s;
    EXPECT_EQ(s.BLOCKNUMX, u"16");
    EXPECT_EQ(s.THRESHOLD, u"128");
    EXPECT_EQ(s.WIDTH, u"0");
    EXPECT_EQ(s.FONT.FaceName, u"Arial");
    EXPECT_EQ(s.FONT.Weight, 400);
    EXPECT_EQ(s.FONT.OutPrecision, 0);
    EXPECT_EQ(s.FONT.Width, 0);
    EXPECT_EQ(s.TO, 0xFFFF);
}

TEST(ApplyNew, DefaultsDerivedSizeAndKeptQuality) {
    ProjectSettings s;
    s.BLOCKNUMX = u"40";
    s.OFFSETX = 5;
    s.FONT.Quality = 4;
    s.FONT.Escapement = 900;
    s.LIST = {u"A"};
    s.PIC = {u"#"};
    s.TEXT = u"A";
    s.TO = 0x1234;
    s.FONT.FontFile = u"/fonts/ter-u16n.pcf.gz";
    s.FONT.FontIndex = 3;
    ApplyNew(s, false);
    EXPECT_EQ(s.FONT.FontFile, u"");
    EXPECT_EQ(s.FONT.FontIndex, 0);
    EXPECT_EQ(s.FONT.FaceName, u"Arial");
    EXPECT_EQ(s.BLOCKNUMX, u"16");
    EXPECT_EQ(s.FONT.Width, 8);
    EXPECT_EQ(s.FONT.Height, 16);
    EXPECT_EQ(s.WIDTH, u"8");
    EXPECT_EQ(s.HEIGHT, u"16");
    EXPECT_EQ(s.FONT.OutPrecision, 3);
    EXPECT_EQ(s.FONT.ClipPrecision, 2);
    EXPECT_EQ(s.FONT.PitchAndFamily, 34);
    EXPECT_EQ(s.FONT.Quality, 4);
    EXPECT_EQ(s.FONT.Escapement, 900);
    EXPECT_EQ(s.OFFSETX, 0);
    EXPECT_EQ(s.TO, 0xFFFF);
    EXPECT_TRUE(s.LIST.empty());
    EXPECT_TRUE(s.PIC.empty());
    EXPECT_TRUE(s.TEXT.empty());
    ApplyNew(s, true);
    EXPECT_EQ(s.FONT.FaceName, u"宋体");
}

TEST(ApplyNew, FaceFollowsTheInstalledFonts) {
    // The test machines have no font of the family 宋体 installed. Zemtra's fontconfig rules
    // draw the name with WenQuanYi Bitmap Song or AR PL UMing, but New asks for the family.
    ProjectSettings s;
    ApplyNew(s);
    EXPECT_EQ(s.FONT.FaceName, u"Arial");
}

TEST(SamplingOrigin, IsTheNegatedOffset) {
    ProjectSettings s;
    s.OFFSETX = 2;
    s.OFFSETY = -1;
    EXPECT_EQ(SampleX(s), -2);
    EXPECT_EQ(SampleY(s), 1);
    s.OFFSETX = INT32_MIN;
    EXPECT_EQ(SampleX(s), 2147483648LL);
}

TEST(RenderLimitError, CapsMatrixAndFontSizes) {
    ProjectSettings s;
    EXPECT_FALSE(RenderLimitError(s));
    s.BLOCKNUMX = Utf8ToUtf16(std::to_string(kMaxMatrixSide));
    EXPECT_FALSE(RenderLimitError(s));
    s.BLOCKNUMX = Utf8ToUtf16(std::to_string(kMaxMatrixSide + 1));
    EXPECT_TRUE(RenderLimitError(s));
    s.BLOCKNUMX = u"0";  // nothing to render is not an error
    EXPECT_FALSE(RenderLimitError(s));
    s.FONT.Width = -kMaxFontSize - 1;
    EXPECT_TRUE(RenderLimitError(s));
    s.FONT.Width = INT32_MIN;
    EXPECT_TRUE(RenderLimitError(s));
}

TEST(Unicode, RoundTripsAndReplacesWhatUtf8CannotHold) {
    const std::u16string text = u"A啊\U0001F600";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"\xD800"), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(Utf8ToUtf16("\xE4\xB8"), u"\uFFFD\uFFFD");  // truncated
}

}  // namespace
}  // namespace zemtra

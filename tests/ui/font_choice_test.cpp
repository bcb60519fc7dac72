// The font picker's choice as a LOGFONT description and back.
#include "ui/font_choice.h"

#include <gtest/gtest.h>

namespace zemtra {
namespace {

TEST(FontChoice, PickedFontBecomesTheWholeDescription) {
    FontChoice c;
    c.family = u"Liberation Sans";
    c.pointSize = 24;
    c.weight = 700;
    c.italic = true;
    c.strikeOut = true;
    c.charSet = 134;
    const LogFont f = LogFontFromChoice(c, 96);
    EXPECT_EQ(f.FaceName, u"Liberation Sans");
    EXPECT_EQ(f.Height, -32);  // the em height of 24 points at 96 dpi
    EXPECT_EQ(f.Width, 0);
    EXPECT_EQ(f.Weight, 700);
    EXPECT_EQ(f.Italic, 1);
    EXPECT_EQ(f.Underline, 0);
    EXPECT_EQ(f.StrikeOut, 1);
    EXPECT_EQ(f.CharSet, 134);
    EXPECT_EQ(f.OutPrecision, 3);
    EXPECT_EQ(f.ClipPrecision, 2);
    EXPECT_EQ(f.PitchAndFamily, 34);  // variable pitch, swiss, as New has it for Arial
    c.fixedPitch = true;
    EXPECT_EQ(LogFontFromChoice(c, 96).PitchAndFamily, 0x31);
    c.fixedPitch = false;
    c.serif = true;
    EXPECT_EQ(LogFontFromChoice(c, 96).PitchAndFamily, 0x12);
}

TEST(FontChoice, LongFaceIsCutWithoutSplittingAPair) {
    FontChoice c;
    c.family = std::u16string(30, u'x') + u"\U0001F600";  // the pair at units 31 and 32
    EXPECT_EQ(LogFontFromChoice(c, 96).FaceName, std::u16string(30, u'x'));
    c.family = std::u16string(40, u'y');
    EXPECT_EQ(LogFontFromChoice(c, 96).FaceName.size(), kMaxFaceNameLength);
}

TEST(FontChoice, RoundTripKeepsWhatThePickerShows) {
    FontChoice c;
    c.family = u"WenQuanYi Zen Hei";
    c.pointSize = 12;
    c.weight = 300;
    c.underline = true;
    c.charSet = 134;
    const FontChoice back = ChoiceFromLogFont(LogFontFromChoice(c, 120), 120);
    EXPECT_EQ(back.family, c.family);
    EXPECT_DOUBLE_EQ(back.pointSize, 12);
    EXPECT_EQ(back.weight, 300);
    EXPECT_TRUE(back.underline);
    EXPECT_FALSE(back.italic);
    EXPECT_EQ(back.charSet, 134);
    LogFont dontCare;
    dontCare.Weight = 0;
    EXPECT_EQ(ChoiceFromLogFont(dontCare, 96).weight, 400);
}

}  // namespace
}  // namespace zemtra

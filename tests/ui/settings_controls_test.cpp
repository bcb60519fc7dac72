// The settings controls' rules: spin steps by sign only, the threshold's 0..255 rule, the
// position buttons, the progress message, and line breaks between the record and the editors.
#include "ui/settings_controls.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <limits>

namespace zemtra {
namespace {

TEST(SpinStep, OnlyTheSignCountsAndTheValueIsTheLeadingNumber) {
    EXPECT_EQ(StepText(u"16", 1), u"17");
    EXPECT_EQ(StepText(u"16", 7), u"17");
    EXPECT_EQ(StepText(u"16", -3), u"15");
    EXPECT_EQ(StepText(u"12abc", 1), u"13");
    EXPECT_EQ(StepText(u"", -1), u"-1");
    EXPECT_EQ(StepText(u" -7", 1), u"-6");
    EXPECT_EQ(StepText(u"abc", 0), u"abc");  // no step keeps the text as typed
    // The saturated value steps without overflow.
    EXPECT_EQ(StepText(u"99999999999", 1), u"2147483648");
    EXPECT_EQ(StepText(u"-99999999999", -1), u"-2147483649");
}

TEST(SpinStep, ThresholdStaysWithinItsRangeButKeepsATypedValue) {
    EXPECT_EQ(StepThreshold(u"255", 1), u"255");
    EXPECT_EQ(StepThreshold(u"254", 1), u"255");
    EXPECT_EQ(StepThreshold(u"0", -1), u"0");
    EXPECT_EQ(StepThreshold(u"1", -1), u"0");
    EXPECT_EQ(StepThreshold(u"300", 1), u"300");
    EXPECT_EQ(StepThreshold(u"300", -1), u"299");
    EXPECT_EQ(StepThreshold(u"-5", -1), u"-5");
    EXPECT_EQ(StepThreshold(u"-5", 1), u"-4");
    EXPECT_EQ(StepThreshold(u"x", 1), u"1");
}

TEST(OffsetButtons, MoveTheGlyphAndCentre) {
    ProjectSettings s;
    EXPECT_TRUE(ApplyOffsetButton(s, kMoveRightId));  // R
    EXPECT_TRUE(ApplyOffsetButton(s, kMoveRightId));
    EXPECT_TRUE(ApplyOffsetButton(s, kMoveUpId));  // U
    EXPECT_EQ(s.OFFSETX, 2);
    EXPECT_EQ(s.OFFSETY, -1);
    EXPECT_TRUE(ApplyOffsetButton(s, kMoveLeftId));  // L
    EXPECT_TRUE(ApplyOffsetButton(s, kMoveDownId));  // D
    EXPECT_TRUE(ApplyOffsetButton(s, kMoveDownId));
    EXPECT_EQ(s.OFFSETX, 1);
    EXPECT_EQ(s.OFFSETY, 1);
    EXPECT_TRUE(ApplyOffsetButton(s, kCentreId));  // C
    EXPECT_EQ(s.OFFSETX, 0);
    EXPECT_EQ(s.OFFSETY, 0);
    EXPECT_FALSE(ApplyOffsetButton(s, kCreateListId));
    s.OFFSETX = std::numeric_limits<int32_t>::max();
    ApplyOffsetButton(s, kMoveRightId);  // no bound: wraps like the platform's int
    EXPECT_EQ(s.OFFSETX, std::numeric_limits<int32_t>::min());
}

TEST(ProgressBar, RangeThenPositionOnlyWhenItDiffers) {
    ProgressBarState bar;
    bar.maximum = 7;
    EXPECT_EQ(ApplyProgressRange(bar, 0, 100), ProgressChange::Range);
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, 100);
    EXPECT_EQ(ApplyProgressPosition(bar, 0), ProgressChange::None);  // already at 0
    EXPECT_EQ(ApplyProgressPosition(bar, 42), ProgressChange::Position);
    EXPECT_EQ(ApplyProgressPosition(bar, 42), ProgressChange::None);
    EXPECT_EQ(bar.position, 42);
    EXPECT_EQ(ApplyProgressPosition(bar, 250), ProgressChange::Position);
    EXPECT_EQ(bar.position, 100);  // kept inside the range
    EXPECT_EQ(ApplyProgressPosition(bar, 130), ProgressChange::None);
    EXPECT_EQ(ApplyProgressRange(bar, 10, 20), ProgressChange::Range);
    EXPECT_EQ(bar.minimum, 10);
    EXPECT_EQ(bar.maximum, 20);
}

TEST(EditText, LineBreaksRoundTripBetweenRecordAndEditor) {
    EXPECT_EQ(PlatformLineBreaks(u"a\nb"), u"a\r\nb");
    EXPECT_EQ(PlatformLineBreaks(u"a\r\nb"), u"a\r\nb");  // already the platform's
    EXPECT_EQ(PlatformLineBreaks(u"a\u2029b\u2028c"), u"a\r\nb\r\nc");
    EXPECT_EQ(EditorLineBreaks(u"a\r\nb\r\n"), u"a\nb\n");
    EXPECT_EQ(EditorLineBreaks(u"a\rb"), u"a\rb");
    const std::u16string text = u"line one\r\nline two\r\n\r\nend";
    EXPECT_EQ(PlatformLineBreaks(EditorLineBreaks(text)), text);
}

}  // namespace
}  // namespace zemtra

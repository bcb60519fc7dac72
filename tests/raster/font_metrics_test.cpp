// Tests of the size rules on made-up faces: MulDiv rounding, the VDMX look-up (no installed
// font carries that table), the width rules and the stroke rows.
#include "raster/font_metrics.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zemtra {
namespace {

void Put16(std::vector<uint8_t>& b, int v) {
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    b.push_back(static_cast<uint8_t>(v & 0xFF));
}

// A VDMX table with a 2:1 ratio first (its group must be passed over) and a 1:1 ratio whose
// group has entries (ppem, yMax, yMin): (10, 9, -3), (11, 10, -3), (12, 11, -4).
std::vector<uint8_t> SampleVdmx() {
    std::vector<uint8_t> b;
    Put16(b, 1);  // version
    Put16(b, 2);  // numRecs
    Put16(b, 2);  // numRatios
    for (int v : {1, 2, 1, 1, 1, 1, 1, 1})
        b.push_back(static_cast<uint8_t>(v));  // (charSet, x, yStart, yEnd)
    const int group2to1 = 6 + 2 * 4 + 2 * 2;
    const int group1to1 = group2to1 + 4 + 6;
    Put16(b, group2to1);
    Put16(b, group1to1);
    Put16(b, 1);
    b.push_back(10);
    b.push_back(10);
    for (int v : {10, 30, -30}) Put16(b, v & 0xFFFF);  // would win every height if chosen
    Put16(b, 3);
    b.push_back(10);
    b.push_back(12);
    for (int v : {10, 9, -3, 11, 10, -3, 12, 11, -4}) Put16(b, v & 0xFFFF);
    return b;
}

TEST(FontMetrics, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDivRound(5, 1, 2), 3);
    EXPECT_EQ(MulDivRound(-5, 1, 2), -3);
    EXPECT_EQ(MulDivRound(5, -1, 2), -3);
    EXPECT_EQ(MulDivRound(7, 1, 3), 2);
    EXPECT_EQ(MulDivRound(2048, 16, 2288), 14);
    EXPECT_EQ(MulDivRound(1, 1, 0), 0);
}

TEST(FontMetrics, VdmxTakesTheLargestEntryThatFits) {
    const std::vector<uint8_t> t = SampleVdmx();
    ASSERT_TRUE(LookUpVdmx(t, 12));
    EXPECT_EQ(LookUpVdmx(t, 12)->ppem, 10);
    EXPECT_EQ(LookUpVdmx(t, 13)->ppem, 11);
    EXPECT_EQ(LookUpVdmx(t, 14)->ppem, 11);  // 15 rows would not fit
    EXPECT_EQ(LookUpVdmx(t, 15)->ppem, 12);
    EXPECT_FALSE(LookUpVdmx(t, 11));  // smaller than every entry
    EXPECT_FALSE(LookUpVdmx(t, 16));  // beyond the table: the formula applies
    for (size_t cut = 0; cut < t.size(); ++cut) {
        const std::vector<uint8_t> shortened(t.begin(), t.begin() + static_cast<ptrdiff_t>(cut));
        const auto e = LookUpVdmx(shortened, 14);
        if (e) {
            EXPECT_EQ(e->ppem, 11) << cut;  // a cut table never yields a wrong entry
        }
    }
}

TEST(FontMetrics, VdmxGivesThePpemAndTheCell) {
    FaceUnits u;
    u.unitsPerEm = 1000;
    u.winAscent = 800;
    u.winDescent = 200;
    u.xAvgCharWidth = 500;
    const std::vector<uint8_t> t = SampleVdmx();
    const FontSize viaTable = ComputeFontSize(u, 14, 0, t);
    EXPECT_EQ(viaTable.cell.ppem, 11);
    EXPECT_EQ(viaTable.cell.ascent, 10);
    EXPECT_EQ(viaTable.cell.descent, 3);
    // Outside the table, and for em heights, the usual rules.
    EXPECT_EQ(ComputeFontSize(u, 20, 0, t).cell.ppem, 20);
    EXPECT_EQ(ComputeFontSize(u, -14, 0, t).cell.ppem, 14);
}

TEST(FontMetrics, CellAndWidthRules) {
    FaceUnits u;
    u.unitsPerEm = 2048;
    u.winAscent = 1854;
    u.winDescent = 434;
    u.xAvgCharWidth = 1208;
    const FontSize s = ComputeFontSize(u, 16, 0);
    EXPECT_EQ(s.cell.ppem, 14);
    EXPECT_EQ(s.cell.averageWidth, 8);  // 1208 x 14 / 2048 = 8.26
    EXPECT_EQ(s.xScale, 1.0);
    const FontSize wide = ComputeFontSize(u, 16, -12);
    EXPECT_DOUBLE_EQ(wide.xScale, 12.0 / 8.0);
    EXPECT_EQ(wide.cell.averageWidth, 12);
    EXPECT_EQ(ComputeFontSize(u, 16, 8).xScale, 1.0);    // the natural width
    EXPECT_EQ(ComputeFontSize(u, 0, 30).xScale, 1.0);    // height 0 ignores the width
    EXPECT_EQ(ComputeFontSize(u, 0, 30).cell.ppem, 14);  // and means a 16 px cell
    EXPECT_EQ(ComputeFontSize(u, INT32_MIN, 0).cell.ppem, INT32_MAX);

    // No usWin metrics: hhea; a tiny average width is still 1 pixel.
    FaceUnits h;
    h.unitsPerEm = 1000;
    h.hheaAscender = 750;
    h.hheaDescender = -250;
    h.xAvgCharWidth = 1;
    const FontSize hs = ComputeFontSize(h, 20, 0);
    EXPECT_EQ(hs.cell.ppem, 20);
    EXPECT_EQ(hs.cell.ascent, 15);
    EXPECT_EQ(hs.cell.descent, 5);
    EXPECT_EQ(hs.cell.averageWidth, 1);
}

FaceUnits WinUnits(int32_t unitsPerEm, int32_t ascent, int32_t descent, int32_t average) {
    FaceUnits u;
    u.unitsPerEm = unitsPerEm;
    u.winAscent = ascent;
    u.winDescent = descent;
    u.xAvgCharWidth = average;
    return u;
}
// Liberation Sans (Arial's metrics) and AR PL UMing, from their OS/2 tables.
FaceUnits ArialUnits() {
    return WinUnits(2048, 1854, 434, 1208);
}
FaceUnits UMingUnits() {
    return WinUnits(1024, 917, 155, 512);
}

TEST(FontMetrics, LinkedFaceTakesItsOwnSizeInsideTheChosenCell) {
    // W/2 x H: AR PL UMing's own ppem from the same cell height, and its average width (half
    // its em) equal to the width asked, so nothing scales and its 11 and 15 px strikes apply.
    const FontCellMetrics arial12 = ComputeFontSize(ArialUnits(), 12, 6).cell;
    const FontSize uming12 = LinkedFontSize(UMingUnits(), 12, 6, {}, arial12);
    EXPECT_EQ(arial12.ppem, 11);
    EXPECT_EQ(uming12.cell.ppem, 11);
    EXPECT_EQ(uming12.xScale, 1.0);
    const FontCellMetrics arial16 = ComputeFontSize(ArialUnits(), 16, 8).cell;
    const FontSize uming16 = LinkedFontSize(UMingUnits(), 16, 8, {}, arial16);
    EXPECT_EQ(arial16.ppem, 14);
    EXPECT_EQ(uming16.cell.ppem, 15);
    EXPECT_EQ(uming16.cell.ascent, arial16.ascent);
    EXPECT_EQ(uming16.xScale, 1.0);
    // Arial's own size would be wrong for it: average width 7 at 14 ppem, so W = 8 stretches.
    EXPECT_GT(ComputeFontSize(UMingUnits(), -14, 8).xScale, 1.0);

    // At 24 its own size (23 ppem, ascent 21) would stand 2 rows above Arial's ascent (19):
    // 21 ppem is the largest that fits.
    const FontCellMetrics arial24 = ComputeFontSize(ArialUnits(), 24, 12).cell;
    EXPECT_EQ(ComputeFontSize(UMingUnits(), 24, 12).cell.ppem, 23);
    const FontSize uming24 = LinkedFontSize(UMingUnits(), 24, 12, {}, arial24);
    EXPECT_EQ(uming24.cell.ppem, 21);
    EXPECT_TRUE(CellFits(uming24.cell, arial24));
    EXPECT_FALSE(CellFits(ComputeFontSize(UMingUnits(), -22, 0).cell, arial24));
    EXPECT_EQ(uming24.xScale, 1.0);  // 12 is its own average width at 23 ppem
    // A wide width keeps the proportion it gave at the unshrunk size.
    const FontSize wide = LinkedFontSize(UMingUnits(), 24, 16, {}, arial24);
    EXPECT_EQ(wide.cell.ppem, 21);
    EXPECT_DOUBLE_EQ(wide.xScale, 16.0 / 12.0);
    EXPECT_EQ(wide.cell.averageWidth, 15);  // 11 x 4/3

    // A chosen cell nothing fits: the smallest size, never 0.
    const FontCellMetrics flat{1, 0, 0, 1};
    EXPECT_EQ(LinkedFontSize(UMingUnits(), 16, 8, {}, flat).cell.ppem, 1);
}

TEST(FontMetrics, StrokesAreAtLeastOnePixel) {
    FaceUnits u;
    u.unitsPerEm = 1000;
    // Centre 100 units below the baseline, 300 thick, at 10 ppem: rows 1 below .. 3 below.
    StrokeRows r = StrokeRowsFor(u, 10, 8, -100, 300);
    EXPECT_EQ(r.size, 3);
    EXPECT_EQ(r.top, 8 + 1 - 1);
    r = StrokeRowsFor(u, 10, 8, 300, 0);
    EXPECT_EQ(r.size, 1);
    EXPECT_EQ(r.top, 5);
}

}  // namespace
}  // namespace zemtra

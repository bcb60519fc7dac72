// The scan demo's picture: which dot lights at which step, the 49 x 49 layout and colours, and
// the step's wrap.
#include "raster/scan_demo.h"

#include <gtest/gtest.h>

#include <set>

namespace zemtra {
namespace {

ScanMode Mode(int32_t orientation, int32_t direction, int32_t dataWidth = 0) {
    return ScanMode{orientation, direction, Cathode, dataWidth};
}

size_t Count(const RgbRaster& image, uint32_t colour) {
    size_t n = 0;
    for (uint32_t p : image.pixels) n += p == colour;
    return n;
}

TEST(ScanDemoTest, RowForwardLightsTheTopRowLeftToRightFirst) {
    const auto dots = ScanDemoDots(Mode(Row, Forward), 17);
    for (int32_t i = 0; i < 32; ++i) {
        ASSERT_TRUE(dots[i]) << i;
        EXPECT_EQ(dots[i]->x, i % 16) << i;
        EXPECT_EQ(dots[i]->y, i / 16) << i;
        EXPECT_EQ(dots[i]->light, i <= 17) << i;
    }
}

TEST(ScanDemoTest, LayoutAndColours) {
    const RgbRaster image = RenderScanDemo(Mode(Row, Forward), 0);
    ASSERT_EQ(image.width, 49);
    ASSERT_EQ(image.height, 49);
    // Dot (0, 0) is light, every other dot dark, on black with 1-pixel gaps and border.
    for (auto [x, y] : {std::pair{1, 1}, {2, 1}, {1, 2}, {2, 2}}) {
        EXPECT_EQ(image.GetPixel(x, y), 0xEFE09Cu);
    }
    EXPECT_EQ(image.GetPixel(4, 1), 0x285049u);
    EXPECT_EQ(image.GetPixel(47, 47), 0x285049u);  // dot (15, 15)
    for (auto [x, y] : {std::pair{0, 0}, {3, 1}, {1, 3}, {48, 48}, {48, 1}, {3, 3}}) {
        EXPECT_EQ(image.GetPixel(x, y), kBlack);
    }
    EXPECT_EQ(Count(image, kScanDemoLight), 4u);
    EXPECT_EQ(Count(image, kScanDemoDark), 255u * 4);
    EXPECT_EQ(Count(image, kBlack), 49u * 49 - 256 * 4);
}

TEST(ScanDemoTest, LastStepAllLightAndPolarityIgnored) {
    ScanMode anode = Mode(Column, Backward, 1);
    anode.polarity = Anode;
    const RgbRaster image = RenderScanDemo(anode, 255);
    EXPECT_EQ(Count(image, kScanDemoLight), 256u * 4);
    EXPECT_EQ(Count(image, kScanDemoDark), 0u);
}

TEST(ScanDemoTest, NoOrientationOrDirectionStaysBlack) {
    for (const ScanMode& mode : {Mode(-1, Forward), Mode(Row, -1), Mode(4, Forward)}) {
        const RgbRaster image = RenderScanDemo(mode, 100);
        EXPECT_EQ(Count(image, kBlack), 49u * 49);
        for (const auto& dot : ScanDemoDots(mode, 100)) EXPECT_FALSE(dot);
    }
}

TEST(ScanDemoTest, EveryModeVisitsEveryDotOnce) {
    for (int32_t o : {Row, Column, RowColumn, ColumnRow}) {
        for (int32_t d : {Forward, Backward}) {
            for (int32_t w = 0; w <= 4; ++w) {
                std::set<std::pair<int32_t, int32_t>> seen;
                for (const auto& dot : ScanDemoDots(Mode(o, d, w), 0)) {
                    ASSERT_TRUE(dot);
                    seen.insert({dot->x, dot->y});
                }
                EXPECT_EQ(seen.size(), 256u) << o << " " << d << " " << w;
            }
        }
    }
    // Column/Forward walks down the first column first.
    const auto dots = ScanDemoDots(Mode(Column, Forward), 0);
    EXPECT_EQ(*dots[1], (ScanDemoDot{0, 1, false}));
}

TEST(ScanDemoTest, StepWraps) {
    EXPECT_EQ(NextScanDemoStep(0), 1);
    EXPECT_EQ(NextScanDemoStep(254), 255);
    EXPECT_EQ(NextScanDemoStep(255), 0);
    EXPECT_EQ(NextScanDemoStep(256), 0);
    EXPECT_EQ(NextScanDemoStep(-5), 0);
    int32_t step = 0;
    for (int i = 0; i < kScanDemoSteps; ++i) step = NextScanDemoStep(step);
    EXPECT_EQ(step, 0);
}

}  // namespace
}  // namespace zemtra

// Tests of the stretch copy: repeats when enlarging, ANDs when shrinking, the 1-pixel rule,
// and every index against a per-pixel reference written straight from the rule.
#include "raster/raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace zemtra {
namespace {

RgbRaster PixelRow(const std::vector<uint32_t>& colours) {
    RgbRaster r(static_cast<int32_t>(colours.size()), 1);
    r.pixels = colours;
    return r;
}

RgbRaster PixelColumn(const std::vector<uint32_t>& colours) {
    RgbRaster r(1, static_cast<int32_t>(colours.size()));
    r.pixels = colours;
    return r;
}

// The source pixels that land on destination pixel k of one axis, by the rule as stated, in
// doubles: the pixel under the centre when enlarging, every source pixel whose centre maps
// onto k when shrinking.
std::vector<int32_t> SourcesOf(int32_t k, int32_t src, int32_t dst) {
    const int32_t used = (dst == 1 && src > 1) ? src - 1 : src;
    std::vector<int32_t> sources;
    if (dst >= used) {
        sources.push_back(static_cast<int32_t>(std::ceil((k + 0.5) * used / dst)) - 1);
        return sources;
    }
    for (int32_t i = 0; i < used; ++i) {
        if (static_cast<int32_t>(std::ceil((i + 0.5) * dst / used)) - 1 == k) sources.push_back(i);
    }
    return sources;
}

RgbRaster ReferenceStretch(const RgbRaster& src, int32_t dstW, int32_t dstH) {
    RgbRaster out(dstW, dstH);
    for (int32_t y = 0; y < dstH; ++y) {
        for (int32_t x = 0; x < dstW; ++x) {
            uint32_t c = 0x00FFFFFF;
            for (int32_t sy : SourcesOf(y, src.height, dstH)) {
                for (int32_t sx : SourcesOf(x, src.width, dstW)) c &= src.GetPixel(sx, sy);
            }
            out.SetPixel(x, y, c);
        }
    }
    return out;
}

RgbRaster RandomRaster(int32_t w, int32_t h, std::mt19937& rng) {
    RgbRaster r(w, h);
    for (auto& p : r.pixels) p = rng() & 0x00FFFFFF;
    return r;
}

TEST(StretchBltEnlarge, DoublingRepeatsEveryPixel) {
    const RgbRaster out = StretchBlt(PixelRow({0x111111, 0x222222, 0x333333}), 6, 1);
    EXPECT_EQ(out.pixels,
              (std::vector<uint32_t>{0x111111, 0x111111, 0x222222, 0x222222, 0x333333, 0x333333}));
    const RgbRaster tall = StretchBlt(PixelColumn({0xA, 0xB}), 1, 4);
    EXPECT_EQ(tall.pixels, (std::vector<uint32_t>{0xA, 0xA, 0xB, 0xB}));
}

TEST(StretchBltEnlarge, CentreOnAPixelBorderTakesTheLowerPixel) {
    // 2 -> 3: destination 1's centre sits exactly on the border between the source pixels.
    const RgbRaster out = StretchBlt(PixelRow({0x0000FF, 0x00FF00}), 3, 1);
    EXPECT_EQ(out.pixels, (std::vector<uint32_t>{0x0000FF, 0x0000FF, 0x00FF00}));
}

TEST(StretchBltEnlarge, RowsAndColumnsTogetherRepeatTheBlock) {
    RgbRaster src(2, 2);
    src.pixels = {0x1, 0x2, 0x3, 0x4};
    const RgbRaster out = StretchBlt(src, 4, 4);
    EXPECT_EQ(out.pixels, (std::vector<uint32_t>{0x1, 0x1, 0x2, 0x2, 0x1, 0x1, 0x2, 0x2,  //
                                                 0x3, 0x3, 0x4, 0x4, 0x3, 0x3, 0x4, 0x4}));
}

TEST(StretchBltShrink, ThreeToTwoAndsTheFirstPair) {
    // Centres 0.5, 1.5, 2.5 of three pixels fall at 0.33, 1.0 and 1.67 of two.
    const RgbRaster out = StretchBlt(PixelRow({0x0F0F0F, 0x3C3C3C, 0x123456}), 2, 1);
    EXPECT_EQ(out.pixels, (std::vector<uint32_t>{0x0F0F0F & 0x3C3C3C, 0x123456}));
}

TEST(StretchBltShrink, FiveToTwoAndsThreeThenTwo) {
    const RgbRaster out =
        StretchBlt(PixelColumn({0xFF00FF, 0x0FFFF0, 0xF0F0F0, 0x00FFFF, 0xFFFF00}), 1, 2);
    EXPECT_EQ(out.pixels,
              (std::vector<uint32_t>{0xFF00FF & 0x0FFFF0 & 0xF0F0F0, 0x00FFFF & 0xFFFF00}));
}

TEST(StretchBltShrink, OneBlackPixelDarkensItsWholeBlock) {
    RgbRaster src(8, 8, kWhite);
    src.SetPixel(5, 6, kBlack);
    const RgbRaster out = StretchBlt(src, 2, 2);
    EXPECT_EQ(out.pixels, (std::vector<uint32_t>{kWhite, kWhite, kWhite, kBlack}));
}

TEST(StretchBltShrink, OnePixelDestinationLeavesOutTheLastSourcePixel) {
    EXPECT_EQ(StretchBlt(PixelRow({0xF0, 0x3C, 0x00}), 1, 1).pixels,
              std::vector<uint32_t>{0xF0 & 0x3C});
    EXPECT_EQ(StretchBlt(PixelRow({0xAB, 0x00}), 1, 1).pixels, std::vector<uint32_t>{0xAB});
    EXPECT_EQ(StretchBlt(PixelColumn({0x70, 0x1F, 0x00}), 1, 1).pixels,
              std::vector<uint32_t>{0x10});
    RgbRaster square(3, 3, kWhite);
    square.SetPixel(2, 1, kBlack);  // in the dropped last column
    square.SetPixel(0, 2, kBlack);  // in the dropped last row
    EXPECT_EQ(StretchBlt(square, 1, 1).pixels, std::vector<uint32_t>{kWhite});
}

TEST(StretchBltMixed, EnlargesOneAxisWhileShrinkingTheOther) {
    // 2 wide x 4 high -> 4 wide x 2 high: columns repeat, row pairs AND.
    RgbRaster src(2, 4);
    src.pixels = {0xF1, 0xF2,  //
                  0x1F, 0x2F,  //
                  0xC3, 0x3C,  //
                  0x33, 0xCC};
    const RgbRaster out = StretchBlt(src, 4, 2);
    EXPECT_EQ(out.pixels, (std::vector<uint32_t>{0x11, 0x11, 0x22, 0x22, 0x03, 0x03, 0x0C, 0x0C}));
    const RgbRaster turned = StretchBlt(src, 1, 8);  // 1 wide: only column 0 counts
    EXPECT_EQ(turned.pixels,
              (std::vector<uint32_t>{0xF1, 0xF1, 0x1F, 0x1F, 0xC3, 0xC3, 0x33, 0x33}));
}

TEST(StretchBltCopy, EqualSizeIsAPlainCopyOfTheColourBits) {
    std::mt19937 rng(7);
    const RgbRaster src = RandomRaster(13, 9, rng);
    const RgbRaster out = StretchBlt(src, 13, 9);
    EXPECT_EQ(out.width, 13);
    EXPECT_EQ(out.height, 9);
    EXPECT_EQ(out.pixels, src.pixels);
    // Only colour bits come through, as a screen bitmap holds no more.
    EXPECT_EQ(StretchBlt(PixelRow({0xFF123456}), 1, 1).pixels, std::vector<uint32_t>{0x123456});
}

TEST(StretchBltEmpty, NoDestinationOrNoSourceGivesAnEmptyRaster) {
    const RgbRaster src(4, 4, kWhite);
    for (auto [w, h] : {std::pair{0, 4}, std::pair{4, 0}, std::pair{-3, 4}, std::pair{4, -1}}) {
        const RgbRaster out = StretchBlt(src, w, h);
        EXPECT_EQ(out.width, 0);
        EXPECT_EQ(out.height, 0);
        EXPECT_TRUE(out.pixels.empty());
    }
    EXPECT_TRUE(StretchBlt(RgbRaster(), 5, 5).pixels.empty());
    EXPECT_TRUE(StretchBlt(RgbRaster(0, 7), 5, 5).pixels.empty());
    RgbRaster broken(4, 4);
    broken.pixels.resize(3);  // claims more pixels than it holds
    EXPECT_TRUE(StretchBlt(broken, 2, 2).pixels.empty());
}

TEST(StretchBltReference, MatchesThePerPixelRuleForAllSmallSizes) {
    std::mt19937 rng(2024);
    for (int32_t sw = 1; sw <= 12; ++sw) {
        for (int32_t sh = 1; sh <= 12; sh += 3) {
            const RgbRaster src = RandomRaster(sw, sh, rng);
            for (int32_t dw = 1; dw <= 14; ++dw) {
                for (int32_t dh = 1; dh <= 14; dh += 2) {
                    const RgbRaster out = StretchBlt(src, dw, dh);
                    ASSERT_EQ(out.pixels, ReferenceStretch(src, dw, dh).pixels)
                        << sw << "x" << sh << " -> " << dw << "x" << dh;
                }
            }
        }
    }
}

TEST(StretchBltReference, MatchesThePerPixelRuleForUnevenLargeRatios) {
    // Widths whose ratios give many exact ties and long runs.
    std::mt19937 rng(99);
    const std::vector<std::pair<int32_t, int32_t>> sizes = {
        {1000, 7}, {7, 1000}, {640, 48}, {48, 640}, {999, 333}, {333, 999}, {1024, 1}, {2, 2048}};
    for (auto [s, d] : sizes) {
        const RgbRaster row = RandomRaster(s, 2, rng);
        ASSERT_EQ(StretchBlt(row, d, 2).pixels, ReferenceStretch(row, d, 2).pixels)
            << s << "->" << d;
        const RgbRaster column = RandomRaster(2, s, rng);
        ASSERT_EQ(StretchBlt(column, 2, d).pixels, ReferenceStretch(column, 2, d).pixels)
            << s << "->" << d;
    }
}

}  // namespace
}  // namespace zemtra

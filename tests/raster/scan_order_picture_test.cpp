// The scan-order picture shades dots by their scan index and tints words alternately.
#include "raster/scan_order_picture.h"

#include <gtest/gtest.h>

namespace zemtra {
namespace {

TEST(ScanOrderPicture, FirstDotDarkestLastDotLightestWordsTinted) {
    const ScanMode row{};  // Row, Forward, 8 bits
    const RgbRaster p = ScanOrderPicture(row, 10, 3, 4);
    ASSERT_EQ(p.width, 10 * 5 + 1);
    ASSERT_EQ(p.height, 3 * 5 + 1);
    auto at = [&](int x, int y) { return p.GetPixel(x * 5 + 1, y * 5 + 1); };
    const uint32_t first = at(0, 0), last = at(9, 2);
    EXPECT_LT(first & 0xFF, last & 0xFF);       // darker red channel first
    EXPECT_NE(at(7, 0) >> 16, at(8, 0) >> 16);  // word 0 and word 1 differ in tint
    EXPECT_EQ(p.GetPixel(0, 0), kBlack);        // the grid lines stay black
    EXPECT_EQ(ScanOrderPicture(ScanMode{-1, 0, 0, 0}, 4, 4, 4).width, 0);
    EXPECT_EQ(ScanOrderPicture(row, 0, 4, 4).width, 0);
}

}  // namespace
}  // namespace zemtra

// The preview grid's geometry: cell size and centring for every matrix that fits, the modes,
// the thumbnail and the oversize picture's rectangle.
#include "raster/preview_geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace zemtra {
namespace {

// Where the grid goes: centred where it clears the thumbnail, else right of it or below it,
// wherever the cells are larger.
TEST(PreviewGeometry, TheGridKeepsClearOfTheThumbnail) {
    const struct {
        int64_t w, h, cw, ch;
        int64_t cell, gap, x0, y0;
    } cases[] = {
        // The default matrix: centred, cells of 27 would put the corner under the 16 x 16
        // thumbnail; right of it, cells of 26.
        {16, 16, 450, 450, 26, 1, 16 + 1, 9},
        // The 64 x 64 the thumbnail used to hide a dot of: right of the 50 x 50 picture.
        {64, 64, 450, 450, 5, 1, 50 + 8, 33},
        // A wide area leaves room left of the centred grid: it stays centred.
        {16, 16, 600, 300, 17, 1, 156, 6},
        // 100 x 40, thumbnail 50 x 20: below it the cells are larger than right of it.
        {100, 40, 450, 200, 3, 1, 25, 20 + 10},
        // Without lines, centred, already clear of the 50 x 2 thumbnail.
        {300, 16, 450, 450, 1, 0, 75, 217},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " in " << c.cw << "x" << c.ch);
        const PreviewGeometry g = ComputePreviewGeometry(c.w, c.h, c.cw, c.ch);
        EXPECT_FALSE(g.oversize);
        EXPECT_EQ(g.cell, c.cell);
        EXPECT_EQ(g.gap, c.gap);
        EXPECT_EQ(g.x0, c.x0);
        EXPECT_EQ(g.y0, c.y0);
    }
    EXPECT_EQ(ComputePreviewGeometry(16, 16, 450, 450).Cell(2, 3),
              (PreviewRect{17 + 3 * 27, 9 + 2 * 27, 26, 26}));
}

TEST(PreviewGeometry, OneDotIsOneCentredSquareInsideItsLines) {
    const PreviewGeometry g = ComputePreviewGeometry(1, 1, 450, 300);
    EXPECT_EQ(g.cell, 298);  // min(cw - 2, ch - 2)
    EXPECT_EQ(g.x0, (450 - 299 + 1) / 2);
    EXPECT_EQ(g.y0, 1);
}

TEST(PreviewGeometry, NoGridLinesWhenTheyWouldNotFit) {
    // 2W + 1 > cw while W <= cw: cells of cw / W without lines.
    const PreviewGeometry g = ComputePreviewGeometry(300, 16, 450, 450);
    EXPECT_FALSE(g.oversize);
    EXPECT_EQ(g.gap, 0);
    EXPECT_EQ(g.cell, 1);
    EXPECT_EQ(g.x0, 75);
    EXPECT_EQ(g.y0, (450 - 16) / 2);
    EXPECT_TRUE(ComputePreviewGeometry(451, 16, 450, 450).oversize);
    EXPECT_TRUE(ComputePreviewGeometry(16, 451, 450, 450).oversize);
    // As many dots as pixels: no room beside the thumbnail, so the scaled picture.
    EXPECT_TRUE(ComputePreviewGeometry(450, 450, 450, 450).oversize);
}

// For every matrix that fits, the grid with its outer lines lies inside the area and clear of
// the thumbnail, is centred to within a pixel (in the area, or in the part right of or below
// the thumbnail), and cells are at least one pixel; the scaled picture only where neither part
// has a pixel a dot.
TEST(PreviewGeometry, EveryFittingGridIsInsideCentredAndClearOfTheThumbnail) {
    for (int64_t cw : {448, 450, 301}) {
        const int64_t ch = 333;
        for (int64_t w = 1; w <= cw; w += (w < 40 ? 1 : 17)) {
            for (int64_t h = 1; h <= ch; h += (h < 40 ? 3 : 29)) {
                SCOPED_TRACE(testing::Message() << w << "x" << h << " in " << cw);
                const PreviewGeometry g = ComputePreviewGeometry(w, h, cw, ch);
                const PreviewRect t = ThumbnailRect(w, h);
                if (g.oversize) {
                    ASSERT_TRUE((w > cw - t.width || h > ch) && (w > cw || h > ch - t.height));
                    continue;
                }
                ASSERT_GE(g.cell, 1);
                const int64_t left = g.x0 - g.gap;
                const int64_t right = g.x0 + w * g.pitch - 1;  // last pixel of the outer line
                const int64_t top = g.y0 - g.gap;
                const int64_t bottom = g.y0 + h * g.pitch - 1;
                ASSERT_GE(left, 0);
                ASSERT_LT(right, cw);
                ASSERT_GE(top, 0);
                ASSERT_LT(bottom, ch);
                ASSERT_TRUE(left >= t.width || top >= t.height || t.width == 0 || t.height == 0);
                EXPECT_TRUE(std::abs(left - (cw - 1 - right)) <= 1 ||
                            std::abs(left - t.width - (cw - 1 - right)) <= 1);
                EXPECT_TRUE(std::abs(top - (ch - 1 - bottom)) <= 1 ||
                            std::abs(top - t.height - (ch - 1 - bottom)) <= 1);
            }
        }
    }
}

TEST(PreviewGeometry, Thumbnail) {
    EXPECT_EQ(ThumbnailRect(16, 16), (PreviewRect{0, 0, 16, 16}));
    EXPECT_EQ(ThumbnailRect(50, 50), (PreviewRect{0, 0, 50, 50}));
    EXPECT_EQ(ThumbnailRect(100, 40), (PreviewRect{0, 0, 50, 20}));
    EXPECT_EQ(ThumbnailRect(40, 100), (PreviewRect{0, 0, 20, 50}));
    EXPECT_EQ(ThumbnailRect(51, 51), (PreviewRect{0, 0, 50, 50}));
    EXPECT_EQ(ThumbnailRect(1, 1), (PreviewRect{0, 0, 1, 1}));
}

TEST(PreviewGeometry, OversizeKeepsTheAspectAndCentres) {
    EXPECT_EQ(OversizeRect(1000, 500, 450, 450), (PreviewRect{0, 112, 450, 225}));
    EXPECT_EQ(OversizeRect(500, 1000, 450, 450), (PreviewRect{112, 0, 225, 450}));
    EXPECT_EQ(OversizeRect(2048, 2048, 448, 448), (PreviewRect{0, 0, 448, 448}));
}

TEST(PreviewGeometry, ColoursByPolarity) {
    EXPECT_EQ(PreviewDotColour(true, 0), kPreviewLight);
    EXPECT_EQ(PreviewDotColour(false, 0), kPreviewDark);
    EXPECT_EQ(PreviewDotColour(true, 1), kPreviewDark);
    EXPECT_EQ(PreviewDotColour(false, 1), kPreviewLight);
    EXPECT_EQ(PreviewDotColour(true, -1), kPreviewLight);  // no selection acts as Cathode
    // 0x00BBGGRR: light is red 156, green 224, blue 239.
    EXPECT_EQ(kPreviewLight & 0xFF, 156u);
    EXPECT_EQ(kPreviewLight >> 16 & 0xFF, 239u);
}

// The editor picks the dot that the grid paints under the mouse: every pixel of a cell gives
// that cell, a grid line the cell before it, and the margins nothing.
TEST(PreviewGeometry, TheDotUnderAPixelIsTheCellPaintedThere) {
    for (auto [w, h, cw, ch] : {std::array<int64_t, 4>{8, 8, 100, 90},
                                {5, 12, 450, 300},
                                {300, 16, 450, 450} /* no grid lines */}) {
        const PreviewGeometry g = ComputePreviewGeometry(w, h, cw, ch);
        ASSERT_FALSE(g.oversize);
        for (int64_t row = 0; row < h; ++row) {
            for (int64_t column = 0; column < w; ++column) {
                const PreviewRect r = g.Cell(row, column);
                const PreviewDot dot{static_cast<int32_t>(row), static_cast<int32_t>(column)};
                for (auto [px, py] : {std::pair{r.x, r.y},
                                      {r.x + r.width - 1, r.y + r.height - 1},
                                      {r.x + r.width / 2, r.y}}) {
                    EXPECT_EQ(PreviewDotAt(w, h, cw, ch, px, py), dot) << w << " " << px;
                }
                // The line right of and under a cell goes with it.
                if (g.gap == 1) {
                    EXPECT_EQ(PreviewDotAt(w, h, cw, ch, r.x + r.width, r.y + r.height), dot);
                }
            }
        }
        EXPECT_FALSE(PreviewDotAt(w, h, cw, ch, g.x0 - 1, g.y0));
        EXPECT_FALSE(PreviewDotAt(w, h, cw, ch, g.x0, g.y0 - 1));
        EXPECT_FALSE(PreviewDotAt(w, h, cw, ch, g.x0 + w * g.pitch, g.y0));
        EXPECT_FALSE(PreviewDotAt(w, h, cw, ch, g.x0, g.y0 + h * g.pitch));
    }
    EXPECT_FALSE(PreviewDotAt(0, 8, 100, 100, 50, 50));
}

TEST(PreviewGeometry, TheDotUnderAPixelOfTheOversizePicture) {
    // 1000 x 500 in 450 x 450: the picture is 450 x 225 from y 112, 2.2 dots a pixel.
    EXPECT_EQ(PreviewDotAt(1000, 500, 450, 450, 0, 112), (PreviewDot{0, 0}));
    EXPECT_EQ(PreviewDotAt(1000, 500, 450, 450, 449, 336), (PreviewDot{497, 997}));
    EXPECT_EQ(PreviewDotAt(1000, 500, 450, 450, 225, 224), (PreviewDot{248, 500}));
    EXPECT_FALSE(PreviewDotAt(1000, 500, 450, 450, 10, 111));
    EXPECT_FALSE(PreviewDotAt(1000, 500, 450, 450, 10, 337));
    EXPECT_FALSE(PreviewDotAt(1000, 500, 0, 0, 0, 0)) << "no area, no picture";
}

}  // namespace
}  // namespace zemtra

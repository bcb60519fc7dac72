// Specimen pages: layout, colours of lit and unlit dots, and labels drawn under each glyph.
#include "raster/specimen.h"

#include <gtest/gtest.h>

#include "raster/preview_geometry.h"

namespace zemtra {
namespace {

TEST(SpecimenPage, LaysOutSixteenAcrossWithLabelsUnderTheGlyphs) {
    FontEngine fonts;
    std::vector<SpecimenGlyph> glyphs(20);
    for (auto& g : glyphs) {
        g.matrix.Reset(8, 8);
        g.matrix.Set(0, 0, true);
        g.label = u"ABCD";
    }
    const RgbRaster page = SpecimenPage(glyphs, fonts);
    ASSERT_GT(page.width, 0);
    // Two rows of glyph boxes: the second row's first glyph sits below the first's label.
    const int32_t boxH = (page.height - 6) / 2;
    EXPECT_EQ(page.GetPixel(7, 7), kPreviewLight);              // glyph 0, dot (0, 0)
    EXPECT_EQ(page.GetPixel(7 + 3, 7), kPreviewDark);           // glyph 0, dot (1, 0)
    EXPECT_EQ(page.GetPixel(7, 7 + boxH), kPreviewLight);       // glyph 16, dot (0, 0)
    bool labelInk = false;
    for (int y = 6 + 8 * 3; y < boxH; ++y) {
        for (int x = 6; x < 40; ++x) labelInk |= page.GetPixel(x, y) != kBlack;
    }
    EXPECT_TRUE(labelInk);
    EXPECT_EQ(SpecimenPage({}, fonts).width, 0);
}

TEST(SpecimenPage, BigGlyphsGetAFinerPitch) {
    FontEngine fonts;
    std::vector<SpecimenGlyph> glyphs(1);
    glyphs[0].matrix.Reset(200, 100);
    const RgbRaster page = SpecimenPage(glyphs, fonts);
    EXPECT_LT(page.width, 200 * 3);
    EXPECT_GE(page.width, 200);
}

}  // namespace
}  // namespace zemtra

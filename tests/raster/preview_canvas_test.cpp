// The preview image painted from a real render: cells in the dot colours, black grid lines,
// the thumbnail as an actual-size copy of the sampling window, polarity, the oversize picture.
#include "raster/preview_canvas.h"

#include <gtest/gtest.h>

#include "base/unicode.h"
#include "support/font_fixtures.h"

namespace zemtra {
namespace {

struct Rendered {
    PreviewCanvas canvas;
    DotMatrix matrix;
};

void Render(Rendered& r, const ProjectSettings& s, std::u16string_view source, int cw, int ch) {
    GlyphRenderer renderer;
    ASSERT_TRUE(r.canvas.Begin(s, cw, ch));
    ASSERT_TRUE(renderer.RenderDotMatrix(s, source, &r.matrix, &r.canvas));
}

TEST(PreviewCanvas, CellsShowTheDotsAndTheLinesStayBlack) {
    Rendered r;
    Render(r, test::SizedSettings(16, 16), u"A", 450, 450);
    const RgbRaster& img = r.canvas.Image();
    ASSERT_EQ(img.width, 450);
    const PreviewGeometry& g = r.canvas.Geometry();
    int lit = 0;
    for (int j = 0; j < 16; ++j) {
        for (int k = 0; k < 16; ++k) {
            const PreviewRect c = g.Cell(j, k);
            // The bottom-right pixel of each cell lies outside the 16 x 16 thumbnail.
            const uint32_t want = PreviewDotColour(r.matrix.Lit(k, j), 0);
            EXPECT_EQ(img.GetPixel(c.x + c.width - 1, c.y + c.height - 1), want) << j << "," << k;
            EXPECT_EQ(img.GetPixel(c.x + c.width, c.y + c.height - 1), kBlack);  // the line
            lit += r.matrix.Lit(k, j);
        }
    }
    EXPECT_GT(lit, 10);
    EXPECT_EQ(img.GetPixel(449, 449), kBlack);
}

TEST(PreviewCanvas, ThumbnailIsTheSamplingWindowAtOnePixelPerDot) {
    for (int offsetX : {0, 2}) {
        Rendered r;
        ProjectSettings s = test::SizedSettings(16, 16);
        s.OFFSETX = offsetX;  // the glyph moves right: the window starts left of the surface
        Render(r, s, u"W", 450, 450);
        for (int j = 0; j < 16; ++j) {
            for (int k = 0; k < 16; ++k) {
                const uint32_t want = r.matrix.Lit(k, j) ? kWhite : kBlack;
                ASSERT_EQ(r.canvas.Image().GetPixel(k, j), want)
                    << offsetX << ": " << j << "," << k;
            }
        }
    }
}

TEST(PreviewCanvas, AnEditedGlyphShowsItsDotsInTheCellsAndTheThumbnail) {
    ProjectSettings s = test::SizedSettings(8, 8);
    GlyphDots edit(8, 8);
    for (int i = 0; i < 8; ++i) edit.Set(i, 7 - i, true);
    s.GLYPHS.Set(u'W', edit);
    s.OFFSETX = 2;  // moves the font's glyph, never an edit
    Rendered r;
    Render(r, s, u"W", 450, 450);
    const PreviewGeometry& g = r.canvas.Geometry();
    for (int j = 0; j < 8; ++j) {
        for (int k = 0; k < 8; ++k) {
            const PreviewRect c = g.Cell(j, k);
            EXPECT_EQ(r.canvas.Image().GetPixel(c.x + c.width - 1, c.y + c.height - 1),
                      PreviewDotColour(edit.Lit(k, j), 0))
                << j << "," << k;
            EXPECT_EQ(r.canvas.Image().GetPixel(k, j), edit.Lit(k, j) ? kWhite : kBlack);
        }
    }
}

TEST(PreviewCanvas, AnodeSwapsTheCellColoursButNotTheThumbnail) {
    Rendered cathode;
    Rendered anode;
    ProjectSettings s = test::SizedSettings(16, 16);
    Render(cathode, s, u"B", 450, 450);
    s.FORMAT = 1;
    Render(anode, s, u"B", 450, 450);
    const PreviewGeometry& g = cathode.canvas.Geometry();
    for (int j = 0; j < 16; ++j) {
        for (int k = 0; k < 16; ++k) {
            const PreviewRect c = g.Cell(j, k);
            const uint32_t a = cathode.canvas.Image().GetPixel(c.x + 20, c.y + 20);
            const uint32_t b = anode.canvas.Image().GetPixel(c.x + 20, c.y + 20);
            EXPECT_NE(a, b);
            EXPECT_EQ(a == kPreviewLight ? kPreviewDark : kPreviewLight, b);
            EXPECT_EQ(cathode.canvas.Image().GetPixel(k, j), anode.canvas.Image().GetPixel(k, j));
        }
    }
}

TEST(PreviewCanvas, EmptyListShowsEveryCellUnlit) {
    Rendered r;
    Render(r, test::SizedSettings(8, 4), u"", 200, 120);
    const PreviewGeometry& g = r.canvas.Geometry();
    for (int j = 0; j < 4; ++j) {
        for (int k = 0; k < 8; ++k) {
            const PreviewRect c = g.Cell(j, k);
            EXPECT_EQ(r.canvas.Image().GetPixel(c.x + c.width - 1, c.y + c.height - 1),
                      kPreviewDark);
        }
    }
}

TEST(PreviewCanvas, OversizeMatrixIsScaledToFitWithoutThumbnail) {
    Rendered r;
    Render(r, test::SizedSettings(600, 300), u"", 450, 450);  // every dot unlit
    const PreviewRect fit = OversizeRect(600, 300, 450, 450);
    ASSERT_TRUE(r.canvas.Geometry().oversize);
    const RgbRaster& img = r.canvas.Image();
    EXPECT_EQ(img.GetPixel(0, 0), kBlack);  // no thumbnail, black above the picture
    EXPECT_EQ(img.GetPixel(0, fit.y - 1), kBlack);
    EXPECT_EQ(img.GetPixel(0, fit.y), kPreviewDark);
    EXPECT_EQ(img.GetPixel(449, fit.y + fit.height - 1), kPreviewDark);
    EXPECT_EQ(img.GetPixel(449, fit.y + fit.height), kBlack);
}

TEST(PreviewCanvas, MatrixBelowOneDotKeepsTheLastImage) {
    Rendered r;
    Render(r, test::SizedSettings(16, 16), u"A", 100, 100);
    const RgbRaster before = r.canvas.Image();
    ProjectSettings s = test::SizedSettings(16, 16);
    s.BLOCKNUMX.assign(1, u'0');  // not = u"0": gcc 12 warns falsely (-Wrestrict) there
    EXPECT_FALSE(r.canvas.Begin(s, 100, 100));
    EXPECT_EQ(r.canvas.Image().pixels, before.pixels);
}

}  // namespace
}  // namespace zemtra

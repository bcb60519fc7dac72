// Specimen pages: layout, colours of lit and unlit dots, and labels drawn under each glyph; the
// glyphs of a list or a code range, and the page files.
#include "raster/specimen.h"

#include <gtest/gtest.h>

#include "raster/glyph_renderer.h"
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
    EXPECT_EQ(page.GetPixel(7, 7), kPreviewLight);         // glyph 0, dot (0, 0)
    EXPECT_EQ(page.GetPixel(7 + 3, 7), kPreviewDark);      // glyph 0, dot (1, 0)
    EXPECT_EQ(page.GetPixel(7, 7 + boxH), kPreviewLight);  // glyph 16, dot (0, 0)
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

namespace zemtra {
namespace {

class CountingProgress : public ProgressSink {
  public:
    void SetRange(int, int) override {}
    void SetPosition(int position) override { positions.push_back(position); }
    std::vector<int> positions;
};

TEST(SpecimenGlyphs, ListAndRangeWithTheirLabelsProgressAndStop) {
    ProjectSettings s;
    ApplyNew(s, false);
    s.LIST = {u"A", u"☆"};
    s.PIC = {u"#", u"/no/such/picture.png"};
    GlyphRenderer renderer;
    const std::vector<SpecimenGlyph> list = SpecimenGlyphsOfList(s, renderer);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].label, u"0041");
    EXPECT_EQ(list[1].label, u"pic");
    EXPECT_EQ(list[0].matrix.Width(), 16);

    // The rectangle of high and low bytes, as the font library walks it.
    s.FROM = 0x0141;
    s.TO = 0x0242;
    CountingProgress progress;
    std::vector<std::u16string> labels;
    for (const SpecimenGlyph& g : SpecimenGlyphsOfRange(s, renderer, {&progress, nullptr})) {
        labels.push_back(g.label);
    }
    EXPECT_EQ(labels, (std::vector<std::u16string>{u"0141", u"0142", u"0241", u"0242"}));
    EXPECT_EQ(progress.positions, (std::vector<int>{25, 50, 75, 100}));
    s.FROM = 0x0180;  // low bytes 80..42: no code at all
    EXPECT_TRUE(SpecimenGlyphsOfRange(s, renderer).empty());

    StopFlag stop;
    stop.Request();
    s.FROM = 0x0000;
    s.TO = 0xFFFF;
    EXPECT_TRUE(SpecimenGlyphsOfRange(s, renderer, {nullptr, &stop}).empty());
}

TEST(SpecimenGlyphs, PageFilesAreNumberedOnlyWhenThereAreSeveral) {
    EXPECT_EQ(SpecimenPageCount(1), 1u);
    EXPECT_EQ(SpecimenPageCount(256), 1u);
    EXPECT_EQ(SpecimenPageCount(257), 2u);
    EXPECT_EQ(SpecimenPageFile("/a/sheet.png", 0, 1), "/a/sheet.png");
    EXPECT_EQ(SpecimenPageFile("/a/sheet.png", 0, 3), "/a/sheet-001.png");
    EXPECT_EQ(SpecimenPageFile("/a/sheet.png", 2, 3), "/a/sheet-003.png");
    EXPECT_EQ(SpecimenPageFile("sheet", 11, 12), "sheet-012");
}

}  // namespace
}  // namespace zemtra

// Pictures through the whole path, Qt's readers to the dot matrix: palettes, stored colours
// under transparency, shrinking and enlarging. The matrices are pinned as '#'/'.' text.
#include <gtest/gtest.h>
#include <QColor>
#include <QImage>

#include "base/unicode.h"
#include "raster/glyph_renderer.h"
#include "raster/qt/qimage_picture_decoder.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

std::string Render(const std::filesystem::path& file, int w, int h, const char16_t* threshold) {
    ProjectSettings s;
    ApplyNew(s, false);
    s.BLOCKNUMX = Utf8ToUtf16(std::to_string(w));
    s.BLOCKNUMY = Utf8ToUtf16(std::to_string(h));
    DeriveFontSize(s);
    s.THRESHOLD = threshold;
    GlyphRenderer renderer(&DefaultPictureDecoder());
    DotMatrix m;
    renderer.RenderDotMatrix(s, Utf8ToUtf16(file.string()), &m);
    return test::MatrixRows(m);
}

class PictureRender : public ::testing::Test {
  protected:
    test::ScratchDir dir;
};

TEST_F(PictureRender, PalettePictureEnlargedThroughItsColours) {
    QImage image(4, 4, QImage::Format_Indexed8);
    image.setColorCount(4);
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(90, 90, 90));
    image.setColor(2, qRgb(200, 200, 200));
    image.setColor(3, qRgb(255, 255, 255));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) image.setPixel(x, y, static_cast<uint>((x + y) % 4));
    }
    const auto file = dir / "palette.png";
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
    EXPECT_EQ(test::CompareWithGolden("picture/palette_8x8_t128.txt", Render(file, 8, 8, u"128")),
              "");
    EXPECT_EQ(test::CompareWithGolden("picture/palette_8x8_t60.txt", Render(file, 8, 8, u"60")),
              "");
}

TEST_F(PictureRender, TransparentPixelsCountByTheirStoredColour) {
    QImage image(2, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 255, 255, 0));  // invisible white
    image.setPixel(1, 0, qRgba(0, 0, 0, 255));
    image.setPixel(0, 1, qRgba(0, 0, 0, 0));  // invisible black
    image.setPixel(1, 1, qRgba(255, 255, 255, 255));
    const auto file = dir / "alpha.png";
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
    EXPECT_EQ(Render(file, 2, 2, u"128"), "#.\n.#\n");
}

TEST_F(PictureRender, ShrinkingAndsTheDroppedPixels) {
    // A white 9 x 9 picture with one black pixel in each 3 x 3 block but the centre one: the
    // shrunk matrix is dark wherever a block held black.
    QImage image(9, 9, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int by = 0; by < 3; ++by) {
        for (int bx = 0; bx < 3; ++bx) {
            if (bx != 1 || by != 1)
                image.setPixel(bx * 3 + (bx + by) % 3, by * 3 + 1, qRgb(0, 0, 0));
        }
    }
    const auto file = dir / "dots.bmp";
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "BMP"));
    EXPECT_EQ(Render(file, 3, 3, u"128"), "...\n.#.\n...\n");
    EXPECT_EQ(test::CompareWithGolden("picture/dots_16x12_t128.txt", Render(file, 16, 12, u"128")),
              "");
}

TEST_F(PictureRender, UndecodableFileIsAllUnlit) {
    const auto file = dir / "broken.png";
    test::WriteBytes(file, "\x89PNG\r\n\x1a\n this is not a picture");
    EXPECT_EQ(Render(file, 3, 2, u"0"), "...\n...\n");
}

}  // namespace
}  // namespace zemtra

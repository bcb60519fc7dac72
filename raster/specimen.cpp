// Lays out a specimen page. Dots get a pitch that keeps a page within a few thousand pixels.
#include "raster/specimen.h"

#include <algorithm>

#include "raster/preview_geometry.h"

namespace zemtra {
namespace {

constexpr uint32_t kLabelColour = 0xB0B0B0;
constexpr int32_t kLabelHeight = 14;
constexpr int32_t kMargin = 6;

// Pixels from dot to dot: 3 for small glyphs, fewer for big ones, at least 1.
int32_t DotPitch(int32_t w, int32_t h) {
    const int32_t side = std::max(w, h);
    if (side <= 64) return 3;
    if (side <= 128) return 2;
    return 1;
}

void DrawLabel(RgbRaster& image, int32_t x0, int32_t y0, std::u16string_view text,
               FontEngine& fonts) {
    LogFont font;
    font.FaceName = u"Liberation Mono";
    font.Height = -11;
    GlyphInk ink;
    const int32_t advance = fonts.Metrics(font).averageWidth;
    for (size_t i = 0; i < text.size(); ++i) {
        fonts.DrawCharacter(font, text.substr(i, 1), ink);
        for (int32_t y = 0; y < ink.height; ++y) {
            for (int32_t x = 0; x < ink.width; ++x) {
                if (!ink.pixels[static_cast<size_t>(y) * ink.width + x]) continue;
                const int64_t px = x0 + static_cast<int64_t>(i) * advance + ink.left + x;
                const int64_t py = y0 + ink.top + y;
                if (px >= 0 && py >= 0 && px < image.width && py < image.height) {
                    image.SetPixel(static_cast<int32_t>(px), static_cast<int32_t>(py),
                                   kLabelColour);
                }
            }
        }
    }
}

}  // namespace

RgbRaster SpecimenPage(const std::vector<SpecimenGlyph>& glyphs, FontEngine& fonts) {
    if (glyphs.empty()) return {};
    const int32_t w = glyphs.front().matrix.Width();
    const int32_t h = glyphs.front().matrix.Height();
    const int32_t pitch = DotPitch(w, h);
    const int32_t dot = pitch > 1 ? pitch - 1 : 1;
    const int32_t boxW = std::max(w * pitch + 1, 5 * 7) + kMargin;
    const int32_t boxH = h * pitch + 1 + kLabelHeight + kMargin;
    const auto count = static_cast<int32_t>(std::min<size_t>(glyphs.size(), kSpecimenPerPage));
    const int32_t columns = std::min(count, kSpecimenColumns);
    const int32_t rows = (count + kSpecimenColumns - 1) / kSpecimenColumns;
    RgbRaster image(columns * boxW + kMargin, rows * boxH + kMargin, kBlack);
    for (int32_t n = 0; n < count; ++n) {
        const SpecimenGlyph& g = glyphs[static_cast<size_t>(n)];
        const int32_t x0 = kMargin + (n % kSpecimenColumns) * boxW;
        const int32_t y0 = kMargin + (n / kSpecimenColumns) * boxH;
        for (int32_t y = 0; y < std::min(h, g.matrix.Height()); ++y) {
            for (int32_t x = 0; x < std::min(w, g.matrix.Width()); ++x) {
                const uint32_t c = g.matrix.Lit(x, y) ? kPreviewLight : kPreviewDark;
                for (int32_t dy = 0; dy < dot; ++dy) {
                    for (int32_t dx = 0; dx < dot; ++dx) {
                        image.SetPixel(x0 + 1 + x * pitch + dx, y0 + 1 + y * pitch + dy, c);
                    }
                }
            }
        }
        DrawLabel(image, x0, y0 + h * pitch + 3, g.label, fonts);
    }
    return image;
}

}  // namespace zemtra

// Shades each dot by its scan index through MapScanIndex, the one owner of the order.
#include "raster/scan_order_picture.h"

namespace zemtra {
namespace {

uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b) << 16;
}

// From a dark 30% to the full colour as t runs from 0 to 1.
uint32_t Shade(int r, int g, int b, double t) {
    const double k = 0.3 + 0.7 * t;
    return Rgb(static_cast<int>(r * k), static_cast<int>(g * k), static_cast<int>(b * k));
}

}  // namespace

RgbRaster ScanOrderPicture(const ScanMode& mode, int32_t width, int32_t height, int32_t cell) {
    if (width < 1 || height < 1 || cell < 1 || WordCount(mode, width, height, 0) <= 0) return {};
    const int32_t pitch = cell + 1;
    RgbRaster image(width * pitch + 1, height * pitch + 1, kBlack);
    const int64_t dots = int64_t{width} * height;
    for (int64_t i = 0; i < dots; ++i) {
        const auto p = MapScanIndex(mode, i, width, height, 0);
        const double t = dots > 1 ? static_cast<double>(i) / static_cast<double>(dots - 1) : 1.0;
        const uint32_t c = p->word % 2 == 0 ? Shade(156, 224, 239, t) : Shade(250, 190, 80, t);
        for (int32_t dy = 0; dy < cell; ++dy) {
            for (int32_t dx = 0; dx < cell; ++dx) {
                image.SetPixel(p->x * pitch + 1 + dx, p->y * pitch + 1 + dy, c);
            }
        }
    }
    return image;
}

}  // namespace zemtra

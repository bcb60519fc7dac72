// Draws the matrix square by square on black.
#include "raster/matrix_picture.h"

#include "raster/preview_geometry.h"

namespace zemtra {

RgbRaster MatrixPicture(const DotMatrix& m, int scale) {
    if (m.Width() < 1 || m.Height() < 1 || scale < 1) return {};
    const int pitch = scale + 1;
    RgbRaster image(m.Width() * pitch + 1, m.Height() * pitch + 1, kBlack);
    for (int32_t y = 0; y < m.Height(); ++y) {
        for (int32_t x = 0; x < m.Width(); ++x) {
            const uint32_t c = m.Lit(x, y) ? kPreviewLight : kPreviewDark;
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    image.SetPixel(x * pitch + 1 + dx, y * pitch + 1 + dy, c);
                }
            }
        }
    }
    return image;
}

}  // namespace zemtra

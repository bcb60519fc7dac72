// Writes dot matrices through Qt's PNG writer.
#include "raster/qt/qimage_png_encoder.h"

#include <QImage>
#include <QString>

#include "base/error.h"

namespace zemtra {

void SaveMatrixPng(const DotMatrix& m, const std::filesystem::path& file, int scale) {
    if (m.Width() < 1 || m.Height() < 1) throw UserError("There is no dot matrix to write.");
    const int pitch = scale + 1;
    QImage image(m.Width() * pitch + 1, m.Height() * pitch + 1, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    const QRgb light = qRgb(156, 224, 239);
    const QRgb dark = qRgb(73, 80, 40);
    for (int y = 0; y < m.Height(); ++y) {
        for (int x = 0; x < m.Width(); ++x) {
            const QRgb c = m.Lit(x, y) ? light : dark;
            for (int dy = 0; dy < scale; ++dy) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y * pitch + 1 + dy));
                for (int dx = 0; dx < scale; ++dx) line[x * pitch + 1 + dx] = c;
            }
        }
    }
    if (!image.save(QString::fromStdString(file.string()), "PNG")) {
        throw UserError("Cannot write the picture \"" + file.string() + "\".");
    }
}

void SaveRasterPng(const RgbRaster& raster, const std::filesystem::path& file) {
    if (raster.width < 1 || raster.height < 1) throw UserError("There is no picture to write.");
    QImage image(raster.width, raster.height, QImage::Format_RGB32);
    for (int y = 0; y < raster.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < raster.width; ++x) {
            const uint32_t c = raster.GetPixel(x, y);
            line[x] = qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                           static_cast<int>((c >> 16) & 0xFF));
        }
    }
    if (!image.save(QString::fromStdString(file.string()), "PNG")) {
        throw UserError("Cannot write the picture \"" + file.string() + "\".");
    }
}

}  // namespace zemtra

// Encodes rasters through Qt's PNG writer into memory; the jobs write the bytes whole.
#include "raster/qt/qimage_png_encoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "base/error.h"

namespace zemtra {

std::string QImagePngEncoder::Encode(const RgbRaster& raster) const {
    if (raster.width < 1 || raster.height < 1) throw UserError(Message{Msg::ErrNoPicture});
    QImage image(raster.width, raster.height, QImage::Format_RGB32);
    for (int y = 0; y < raster.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < raster.width; ++x) {
            const uint32_t c = raster.GetPixel(x, y);
            line[x] = qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                           static_cast<int>((c >> 16) & 0xFF));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw UserError(Message{Msg::ErrPngEncode});
    return bytes.toStdString();
}

const PngEncoder& DefaultPngEncoder() {
    static const QImagePngEncoder encoder;
    return encoder;
}

}  // namespace zemtra

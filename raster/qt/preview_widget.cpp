// The preview control's cache and painting.
#include "raster/qt/preview_widget.h"

#include <QPainter>

namespace zemtra {

QImage ToQImage(const RgbRaster& raster, QImage image) {
    if (image.width() != raster.width || image.height() != raster.height ||
        image.format() != QImage::Format_RGB32) {
        image = QImage(raster.width, raster.height, QImage::Format_RGB32);
    }
    for (int32_t y = 0; y < raster.height; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(image.scanLine(y));
        const uint32_t* in = raster.pixels.data() + static_cast<size_t>(y) * raster.width;
        for (int32_t x = 0; x < raster.width; ++x) {
            const uint32_t c = in[x];  // 0x00BBGGRR to 0xFFRRGGBB
            out[x] = 0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
        }
    }
    return image;
}

PreviewWidget::PreviewWidget(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewWidget::ShowRendered() {
    error_.clear();
    cache_ = ToQImage(canvas_.Image(), std::move(cache_));
    update();
}

void PreviewWidget::ShowError(const QString& message) {
    error_ = message;
    update();
}

void PreviewWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect client = contentsRect();
    painter.fillRect(client, Qt::black);
    if (!error_.isEmpty()) {
        painter.setPen(QColor(0x9C, 0xE0, 0xEF));
        painter.drawText(client.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, error_);
        return;
    }
    if (!cache_.isNull()) painter.drawImage(client.topLeft(), cache_);
}

}  // namespace zemtra

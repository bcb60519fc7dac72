// The scan demo control's cache and painting.
#include "raster/qt/scan_demo_widget.h"

#include <QPainter>

#include "raster/qt/preview_widget.h"
#include "raster/scan_demo.h"

namespace zemtra {

ScanDemoWidget::ScanDemoWidget(QWidget* parent)
    : QWidget(parent), image_(kScanDemoImageSize, kScanDemoImageSize, kBlack) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScanDemoWidget::Show(const RgbRaster& image) {
    image_ = image;
    cache_ = ToQImage(StretchBlt(image_, width(), height()), std::move(cache_));
    update();
}

void ScanDemoWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The window has a fixed size; this runs when the control is placed.
    if (width() > 0 && height() > 0) cache_ = ToQImage(StretchBlt(image_, width(), height()));
}

void ScanDemoWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (cache_.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.drawImage(0, 0, cache_);
}

}  // namespace zemtra

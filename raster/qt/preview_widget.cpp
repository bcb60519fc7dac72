// The preview control's cache and painting.
#include "raster/qt/preview_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
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
    // A click on the grid gives it the focus, so the arrow keys shift the glyph.
    setFocusPolicy(Qt::ClickFocus);
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
    if (hasFocus()) {
        // The frame in the lit colour says that the arrow keys shift the glyph now.
        painter.setPen(QColor(0x9C, 0xE0, 0xEF));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

std::optional<PreviewDot> PreviewWidget::DotUnder(const QPoint& pos) const {
    // A message in the area means the cells on show are not those of the settings.
    if (!error_.isEmpty() || cache_.isNull()) return std::nullopt;
    const QPoint p = pos - contentsRect().topLeft();
    return canvas_.DotAt(p.x(), p.y());
}

void PreviewWidget::mousePressEvent(QMouseEvent* event) {
    const Qt::MouseButton button = event->button();
    if (strokeButton_ != Qt::NoButton || (button != Qt::LeftButton && button != Qt::RightButton)) {
        return;  // a second button during a stroke changes nothing
    }
    const std::optional<PreviewDot> dot = DotUnder(event->position().toPoint());
    if (!dot) return;
    strokeButton_ = button;
    strokeDot_ = dot;
    emit DotPressed(dot->row, dot->column, button == Qt::RightButton);
}

void PreviewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (strokeButton_ == Qt::NoButton) return;
    const std::optional<PreviewDot> dot = DotUnder(event->position().toPoint());
    if (!dot || dot == strokeDot_) return;
    strokeDot_ = dot;
    emit DotDragged(dot->row, dot->column);
}

void PreviewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == strokeButton_) EndStroke();
}

void PreviewWidget::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void PreviewWidget::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
    EndStroke();  // a box that pops up mid-drag takes the release with it
}

void PreviewWidget::EndStroke() {
    if (strokeButton_ == Qt::NoButton) return;
    strokeButton_ = Qt::NoButton;
    strokeDot_.reset();
    emit StrokeEnded();
}

void PreviewWidget::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QFrame::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Up:
            emit ShiftKey(0, -1);
            return;
        case Qt::Key_Down:
            emit ShiftKey(0, 1);
            return;
        case Qt::Key_Left:
            emit ShiftKey(-1, 0);
            return;
        case Qt::Key_Right:
            emit ShiftKey(1, 0);
            return;
        default:
            QFrame::keyPressEvent(event);
    }
}

}  // namespace zemtra

// Control 1000: shows the cached preview image, which only a render changes; repaints copy it.
// A render that fails shows its message in the area instead of a message box per keystroke.
#pragma once

#include <QFrame>
#include <QImage>
#include <QString>

#include "raster/preview_canvas.h"

namespace zemtra {

class PreviewWidget : public QFrame {
    Q_OBJECT
  public:
    explicit PreviewWidget(QWidget* parent = nullptr);

    // Where the renderer paints; its size is the client area's.
    PreviewCanvas& Canvas() { return canvas_; }
    QSize ClientSize() const { return contentsRect().size(); }

    // Takes the canvas's finished image into the cache and repaints.
    void ShowRendered();
    // Shows a short message over black until the next successful render.
    void ShowError(const QString& message);

    const QImage& Cached() const { return cache_; }
    const QString& ErrorText() const { return error_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    PreviewCanvas canvas_;
    QImage cache_;
    QString error_;
};

// A 0x00BBGGRR raster as a Qt image.
QImage ToQImage(const RgbRaster& raster, QImage reuse = QImage());

}  // namespace zemtra

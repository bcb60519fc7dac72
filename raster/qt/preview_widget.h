// Control 1000: shows the cached preview image, which only a render changes; repaints copy it.
// A render that fails shows its message in the area instead of a message box per keystroke.
// It is also the glyph editor's surface: it tells which dot the mouse pressed and dragged over
// and which arrow key was pressed, and leaves what that means to its owner.
#pragma once

#include <QFrame>
#include <QImage>
#include <QString>
#include <optional>

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

  signals:
    // A press on a dot: the left button toggles, the right one clears (clear is true).
    void DotPressed(int row, int column, bool clear);
    // The mouse, a button held since a DotPressed, moved onto another dot.
    void DotDragged(int row, int column);
    // The button of a DotPressed was released (or the press was otherwise lost).
    void StrokeEnded();
    // An arrow key while the preview has the focus: one dot in that direction.
    void ShiftKey(int dx, int dy);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    PreviewCanvas canvas_;
    QImage cache_;
    QString error_;
    // The button of the stroke under way (Qt::NoButton: none) and the last dot it reached.
    Qt::MouseButton strokeButton_ = Qt::NoButton;
    std::optional<PreviewDot> strokeDot_;
    std::optional<PreviewDot> DotUnder(const QPoint& pos) const;
    void EndStroke();
};

// A 0x00BBGGRR raster as a Qt image.
QImage ToQImage(const RgbRaster& raster, QImage reuse = QImage());

}  // namespace zemtra

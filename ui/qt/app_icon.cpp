// Drawing the application icon: a 7 x 7 dot matrix showing "Z".
#include "ui/qt/app_icon.h"

#include <QPainter>
#include <QPixmap>

#include "raster/preview_geometry.h"

namespace zemtra {
namespace {

constexpr const char* kGlyph[7] = {
    "#######", ".....#.", "....#..", "...#...", "..#....", ".#.....", "#######",
};

QColor FromColorRef(uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF),
                  static_cast<int>(c >> 16 & 0xFF));
}

QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::black);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, size >= 32);
    const double pitch = size / 7.0;
    const double dot = std::max(1.0, pitch * 0.8);
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 7; ++column) {
            const bool lit = kGlyph[row][column] == '#';
            const QRectF cell(column * pitch + (pitch - dot) / 2, row * pitch + (pitch - dot) / 2,
                              dot, dot);
            painter.setPen(Qt::NoPen);
            painter.setBrush(FromColorRef(lit ? kPreviewLight : kPreviewDark));
            if (size >= 32) {
                painter.drawEllipse(cell);
            } else {
                painter.drawRect(cell);
            }
        }
    }
    return pixmap;
}

}  // namespace

QIcon ZemtraIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addPixmap(DrawIcon(size));
    return icon;
}

}  // namespace zemtra

// The preview grid's integer geometry.
#include "raster/preview_geometry.h"

#include <algorithm>

namespace zemtra {

uint32_t PreviewDotColour(bool lit, int32_t format) {
    const bool light = format == 1 ? !lit : lit;
    return light ? kPreviewLight : kPreviewDark;
}

PreviewGeometry ComputePreviewGeometry(int64_t w, int64_t h, int64_t cw, int64_t ch) {
    PreviewGeometry g;
    if (w < 1 || h < 1) return g;
    g.oversize = w > cw || h > ch;
    // C's division truncates toward zero, so a negative numerator gives 0 or -1, both < 1.
    g.gap = 1;
    g.cell = std::min((cw - w - 1) / w, (ch - h - 1) / h);
    if (g.cell < 1) {
        g.gap = 0;
        g.cell = std::min(cw / w, ch / h);
    }
    g.pitch = g.cell + g.gap;
    g.x0 = (cw - w * g.pitch + g.gap) / 2;
    g.y0 = (ch - h * g.pitch + g.gap) / 2;
    return g;
}

PreviewRect ThumbnailRect(int64_t w, int64_t h) {
    if (w <= 50 && h <= 50) return {0, 0, w, h};
    if (w > h) return {0, 0, 50, h * 50 / w};
    return {0, 0, w * 50 / h, 50};
}

PreviewRect OversizeRect(int64_t w, int64_t h, int64_t cw, int64_t ch) {
    int64_t dw;
    int64_t dh;
    if (w * ch > h * cw) {
        dw = cw;
        dh = h * cw / w;
    } else {
        dh = ch;
        dw = w * ch / h;
    }
    return {(cw - dw) / 2, (ch - dh) / 2, dw, dh};
}

std::optional<PreviewDot> PreviewDotAt(int64_t w, int64_t h, int64_t cw, int64_t ch, int64_t px,
                                       int64_t py) {
    if (w < 1 || h < 1) return std::nullopt;
    const PreviewGeometry g = ComputePreviewGeometry(w, h, cw, ch);
    int64_t column;
    int64_t row;
    if (g.oversize) {
        const PreviewRect r = OversizeRect(w, h, cw, ch);
        if (r.width < 1 || r.height < 1 || px < r.x || py < r.y) return std::nullopt;
        column = (px - r.x) * w / r.width;
        row = (py - r.y) * h / r.height;
    } else {
        if (g.pitch < 1 || px < g.x0 || py < g.y0) return std::nullopt;
        column = (px - g.x0) / g.pitch;
        row = (py - g.y0) / g.pitch;
    }
    if (column >= w || row >= h) return std::nullopt;
    return PreviewDot{static_cast<int32_t>(row), static_cast<int32_t>(column)};
}

}  // namespace zemtra

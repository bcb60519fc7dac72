// The preview grid's integer geometry.
#include "raster/preview_geometry.h"

#include <algorithm>

namespace zemtra {

uint32_t PreviewDotColour(bool lit, int32_t format) {
    const bool light = format == 1 ? !lit : lit;
    return light ? kPreviewLight : kPreviewDark;
}

namespace {

// The grid fitted into the area's part (ax, ay, aw, ah), centred there.
PreviewGeometry FitGrid(int64_t w, int64_t h, int64_t ax, int64_t ay, int64_t aw, int64_t ah) {
    PreviewGeometry g;
    // C's division truncates toward zero, so a negative numerator gives 0 or -1, both < 1.
    g.gap = 1;
    g.cell = std::min((aw - w - 1) / w, (ah - h - 1) / h);
    if (g.cell < 1) {
        g.gap = 0;
        g.cell = std::min(aw / w, ah / h);
    }
    g.pitch = g.cell + g.gap;
    g.x0 = ax + (aw - w * g.pitch + g.gap) / 2;
    g.y0 = ay + (ah - h * g.pitch + g.gap) / 2;
    return g;
}

}  // namespace

PreviewGeometry ComputePreviewGeometry(int64_t w, int64_t h, int64_t cw, int64_t ch) {
    PreviewGeometry g;
    if (w < 1 || h < 1) return g;
    g.oversize = w > cw || h > ch;
    if (g.oversize) return g;
    g = FitGrid(w, h, 0, 0, cw, ch);
    // The thumbnail sits in the top-left corner; a grid under it would hide the dots it covers
    // from the eye and from the editor's clicks. Then the grid goes right of it or below it,
    // wherever its cells are larger, and where neither leaves a dot a pixel, the matrix is
    // shown as the scaled picture, which has no thumbnail.
    const PreviewRect t = ThumbnailRect(w, h);
    const bool clear =
        t.width < 1 || t.height < 1 || g.x0 - g.gap >= t.width || g.y0 - g.gap >= t.height;
    if (clear && g.cell >= 1) return g;
    const PreviewGeometry right = FitGrid(w, h, t.width, 0, cw - t.width, ch);
    const PreviewGeometry below = FitGrid(w, h, 0, t.height, cw, ch - t.height);
    g = below.cell > right.cell ? below : right;
    if (g.cell < 1) {
        g = PreviewGeometry{};
        g.oversize = true;
    }
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

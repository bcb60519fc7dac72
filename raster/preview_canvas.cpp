// Painting the preview image from the renderer's decisions.
#include "raster/preview_canvas.h"

#include <algorithm>

namespace zemtra {

bool PreviewCanvas::Begin(const ProjectSettings& settings, int32_t cw, int32_t ch) {
    const int32_t w = MatrixWidth(settings);
    const int32_t h = MatrixHeight(settings);
    if (w < 1 || h < 1) return false;
    cw = std::max(cw, 0);
    ch = std::max(ch, 0);
    if (image_.width != cw || image_.height != ch) {
        image_ = RgbRaster(cw, ch);
    } else {
        std::fill(image_.pixels.begin(), image_.pixels.end(), kBlack);
    }
    width_ = w;
    height_ = h;
    format_ = settings.FORMAT;
    geometry_ = ComputePreviewGeometry(w, h, cw, ch);
    if (geometry_.oversize) {
        // Sizes are below the renderer's limits here, or it throws before the first dot.
        if (RenderLimitError(settings)) return true;
        dots_ = RgbRaster(w, h);
    } else {
        dots_ = RgbRaster();
    }
    return true;
}

void PreviewCanvas::Fill(const PreviewRect& r, uint32_t colour) {
    const int64_t x1 = std::min<int64_t>(r.x + r.width, image_.width);
    const int64_t y1 = std::min<int64_t>(r.y + r.height, image_.height);
    const int64_t x = std::max<int64_t>(r.x, 0);
    if (x >= x1) return;
    for (int64_t y = std::max<int64_t>(r.y, 0); y < y1; ++y) {
        uint32_t* row = image_.pixels.data() + y * image_.width;
        std::fill(row + x, row + x1, colour);
    }
}

void PreviewCanvas::Blit(const RgbRaster& src, int64_t x, int64_t y) {
    for (int64_t j = 0; j < src.height; ++j) {
        const int64_t ty = y + j;
        if (ty < 0 || ty >= image_.height) continue;
        for (int64_t i = 0; i < src.width; ++i) {
            const int64_t tx = x + i;
            if (tx < 0 || tx >= image_.width) continue;
            image_.pixels[static_cast<size_t>(ty * image_.width + tx)] =
                src.pixels[static_cast<size_t>(j * src.width + i)];
        }
    }
}

void PreviewCanvas::OnDot(int32_t row, int32_t column, bool lit) {
    const uint32_t colour = PreviewDotColour(lit, format_);
    if (geometry_.oversize) {
        if (!dots_.pixels.empty()) dots_.SetPixel(column, row, colour);
        return;
    }
    Fill(geometry_.Cell(row, column), colour);
}

void PreviewCanvas::OnFinish(const RenderSurface& surface, int64_t sampleX, int64_t sampleY) {
    if (geometry_.oversize) {
        const PreviewRect r = OversizeRect(width_, height_, image_.width, image_.height);
        Blit(StretchBlt(dots_, static_cast<int32_t>(r.width), static_cast<int32_t>(r.height)), r.x,
             r.y);
        return;
    }
    RgbRaster window(width_, height_);
    for (int32_t j = 0; j < height_; ++j) {
        for (int32_t k = 0; k < width_; ++k) {
            const uint32_t c = surface.GetPixel(sampleX + k, sampleY + j);
            window.SetPixel(k, j, c == kInvalidColour ? kBlack : c);
        }
    }
    const PreviewRect t = ThumbnailRect(width_, height_);
    Blit(StretchBlt(window, static_cast<int32_t>(t.width), static_cast<int32_t>(t.height)), t.x,
         t.y);
}

}  // namespace zemtra

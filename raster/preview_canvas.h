// The preview image: the renderer's dots as coloured cells on black with the actual-size
// thumbnail, or, for a matrix larger than the area, the recoloured matrix scaled to fit.
#pragma once

#include <cstdint>

#include "base/project_settings.h"
#include "raster/glyph_renderer.h"
#include "raster/preview_geometry.h"
#include "raster/raster.h"

namespace zemtra {

// Receives one render (Begin, then the renderer's OnDot and OnFinish) and keeps the finished
// image, which repaints copy without rendering again.
class PreviewCanvas : public PreviewSink {
  public:
    // Starts a render of the settings' matrix into a cw x ch image, cleared to black. Returns
    // false, keeping the last image, when W or H is below 1 (the renderer draws nothing then).
    bool Begin(const ProjectSettings& settings, int32_t cw, int32_t ch);

    void OnDot(int32_t row, int32_t column, bool lit) override;
    // Grid mode: the sampling window, outside the surface black, scaled into the thumbnail.
    // Oversize mode: every dot in its colour (also those sampled outside the surface, so the
    // picture agrees with the cells that a smaller matrix would show), scaled to fit.
    void OnFinish(const RenderSurface& surface, int64_t sampleX, int64_t sampleY) override;

    // 0x00BBGGRR, cw x ch; empty before the first render.
    const RgbRaster& Image() const { return image_; }
    const PreviewGeometry& Geometry() const { return geometry_; }
    // The dot of the last render under pixel (px, py) of the image; none outside its dots or
    // before the first render.
    std::optional<PreviewDot> DotAt(int64_t px, int64_t py) const {
        return PreviewDotAt(width_, height_, image_.width, image_.height, px, py);
    }

  private:
    void Fill(const PreviewRect& r, uint32_t colour);
    void Blit(const RgbRaster& src, int64_t x, int64_t y);

    RgbRaster image_;
    PreviewGeometry geometry_;
    int32_t width_ = 0;  // of the matrix
    int32_t height_ = 0;
    int32_t format_ = 0;
    RgbRaster dots_;  // oversize mode: one pixel per dot
};

}  // namespace zemtra

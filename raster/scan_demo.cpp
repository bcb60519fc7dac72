// The scan demo's picture for one step.
#include "raster/scan_demo.h"

namespace zemtra {

std::array<std::optional<ScanDemoDot>, kScanDemoSteps> ScanDemoDots(const ScanMode& mode,
                                                                    int32_t step) {
    std::array<std::optional<ScanDemoDot>, kScanDemoSteps> dots;
    for (int32_t i = 0; i < kScanDemoSteps; ++i) {
        // Word width 0: the mode's own, as the writers use it.
        const std::optional<ScanPosition> p =
            MapScanIndex(mode, i, kScanDemoDots, kScanDemoDots, 0);
        if (!p || p->x < 0 || p->y < 0 || p->x >= kScanDemoDots || p->y >= kScanDemoDots) continue;
        dots[static_cast<size_t>(i)] = ScanDemoDot{p->x, p->y, i <= step};
    }
    return dots;
}

void PaintScanDemo(const ScanMode& mode, int32_t step, RgbRaster& image) {
    image = RgbRaster(kScanDemoImageSize, kScanDemoImageSize, kBlack);
    for (const std::optional<ScanDemoDot>& dot : ScanDemoDots(mode, step)) {
        if (!dot) continue;
        const uint32_t colour = dot->light ? kScanDemoLight : kScanDemoDark;
        const int32_t left = ScanDemoDotOrigin(dot->x);
        const int32_t top = ScanDemoDotOrigin(dot->y);
        for (int32_t y = top; y < top + kScanDemoDotSize; ++y) {
            for (int32_t x = left; x < left + kScanDemoDotSize; ++x) image.SetPixel(x, y, colour);
        }
    }
}

RgbRaster RenderScanDemo(const ScanMode& mode, int32_t step) {
    RgbRaster image;
    PaintScanDemo(mode, step, image);
    return image;
}

int32_t NextScanDemoStep(int32_t step) {
    if (step < 0 || step >= kScanDemoSteps - 1) return 0;
    return step + 1;
}

}  // namespace zemtra

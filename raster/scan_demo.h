// The scan-mode demo: a 16 x 16 matrix of its own whose dots turn from dark to light one per
// timer tick, in the scan order of the current mode, drawn into a 49 x 49 image that the GUI
// only copies (stretched) onto its control.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/scan_order.h"
#include "raster/preview_geometry.h"
#include "raster/raster.h"

namespace zemtra {

inline constexpr int32_t kScanDemoDots = 16;                              // dots a side
inline constexpr int32_t kScanDemoSteps = kScanDemoDots * kScanDemoDots;  // one cycle
inline constexpr int32_t kScanDemoPitch = 3;                              // pixels from dot to dot
inline constexpr int32_t kScanDemoDotSize = 2;                            // pixels a side of a dot
inline constexpr int32_t kScanDemoImageSize = kScanDemoDots * kScanDemoPitch + 1;  // 49
// The demo timer: id 0, every 50 ms.
inline constexpr int kScanDemoTimerId = 0;
inline constexpr int kScanDemoTimerMs = 50;
// The demo ignores polarity: a visited dot is always light.
inline constexpr uint32_t kScanDemoLight = kPreviewLight;
inline constexpr uint32_t kScanDemoDark = kPreviewDark;

struct ScanDemoDot {
    int32_t x = 0;  // column
    int32_t y = 0;  // row
    bool light = false;

    bool operator==(const ScanDemoDot&) const = default;
};

// For each scan index 0..255: the dot it lands on, light when the index is at most step;
// nothing where the mode maps no dot (no orientation or direction chosen).
std::array<std::optional<ScanDemoDot>, kScanDemoSteps> ScanDemoDots(const ScanMode& mode,
                                                                    int32_t step);

// The top-left pixel of dot (x, y) in the demo image: (3x + 1, 3y + 1).
inline constexpr int32_t ScanDemoDotOrigin(int32_t cell) {
    return kScanDemoPitch * cell + 1;
}

// Redraws image as 49 x 49: black, with each mapped dot's 2 x 2 square light or dark.
void PaintScanDemo(const ScanMode& mode, int32_t step, RgbRaster& image);
RgbRaster RenderScanDemo(const ScanMode& mode, int32_t step);

// The step after this tick's: 0..255, then 0 again (a step outside that range restarts at 0).
int32_t NextScanDemoStep(int32_t step);

}  // namespace zemtra

// A picture of a scan order for documentation and review: every dot of a W x H matrix as a
// square shaded from dark (scanned first) to light (scanned last), words separated by tint.
#pragma once

#include "base/scan_order.h"
#include "raster/raster.h"

namespace zemtra {

// Squares of `cell` pixels with one-pixel black gaps. Even words are shaded in the preview's
// light blue, odd words in amber, so word boundaries show. Empty when the mode maps nothing.
RgbRaster ScanOrderPicture(const ScanMode& mode, int32_t width, int32_t height, int32_t cell);

}  // namespace zemtra

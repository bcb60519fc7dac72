// The core's view of writing pictures: a raster as the bytes of a PNG file. The implementation
// lives outside the core (Qt's PNG writer, raster/qt/), so the core stays Qt-free.
#pragma once

#include <string>

#include "raster/raster.h"

namespace zemtra {

class PngEncoder {
  public:
    virtual ~PngEncoder() = default;
    // The PNG file of the raster's 0x00BBGGRR pixels. Throws UserError for an empty raster or
    // when the picture cannot be encoded.
    virtual std::string Encode(const RgbRaster& raster) const = 0;
};

}  // namespace zemtra

// PNG files through Qt's PNG writer, behind the core's PngEncoder interface.
#pragma once

#include "raster/png_encoder.h"

namespace zemtra {

class QImagePngEncoder : public PngEncoder {
  public:
    std::string Encode(const RgbRaster& raster) const override;
};

// One shared encoder for the command-line tool and the desktop program.
const PngEncoder& DefaultPngEncoder();

}  // namespace zemtra

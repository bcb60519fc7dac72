// The renderer's view of picture files: give a raster of the picture, or fail. The
// implementation lives outside the core (Qt's image readers), so the core stays Qt-free.
#pragma once

#include <filesystem>
#include <optional>

#include "raster/raster.h"

namespace zemtra {

class PictureDecoder {
  public:
    virtual ~PictureDecoder() = default;
    // The picture at full size, upright, 8-bit red, green and blue per pixel (indexed pictures
    // through their palette, transparent pixels by their stored colour, the first frame of an
    // animation). Nothing when the file cannot be decoded. Safe to call from several threads.
    virtual std::optional<RgbRaster> Decode(const std::filesystem::path& file) const = 0;
};

}  // namespace zemtra

// Picture files decoded through Qt's image readers (BMP, JPEG, GIF, PNG and whatever else Qt
// reads, told by content), behind the core's PictureDecoder interface.
#pragma once

#include <cstdint>

#include "raster/picture_decoder.h"

namespace zemtra {

class QImagePictureDecoder : public PictureDecoder {
  public:
    // Pictures larger than this (by their header, before any pixel is read) are refused, so a
    // crafted header cannot make the decoder claim gigabytes.
    static constexpr int64_t kMaxPixels = int64_t{8192} * 8192;

    QImagePictureDecoder();

    // Gives the stored pixels, top row first, without any EXIF rotation (as the platform's
    // decoder does) and without colour management. Refuses whatever is not a regular readable
    // file, pictures over kMaxPixels, and files that Qt reports as damaged or that end before
    // their pixel data (a truncated BMP). A truncated JPEG decodes as libjpeg fills it (grey).
    std::optional<RgbRaster> Decode(const std::filesystem::path& file) const override;
};

// One shared decoder for the command-line tool and the desktop program.
const PictureDecoder& DefaultPictureDecoder();

}  // namespace zemtra

// A dot matrix as a PNG picture, lit dots in the preview's light colour on the dark one, for
// checking generated data by eye.
#pragma once

#include <filesystem>

#include "base/dot_matrix.h"
#include "raster/raster.h"

namespace zemtra {

// Each dot becomes a square of `scale` pixels with a one-pixel black gap. Throws UserError when
// the picture cannot be written.
void SaveMatrixPng(const DotMatrix& matrix, const std::filesystem::path& file, int scale = 8);

// Any raster of 0x00BBGGRR pixels as a PNG. Throws UserError when it cannot be written.
void SaveRasterPng(const RgbRaster& raster, const std::filesystem::path& file);

}  // namespace zemtra
